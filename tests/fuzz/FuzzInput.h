#pragma once
// Reads the fuzzer's bytes as a stream of small choices, then a text.
#include "numbers/LocaleNumberSettings.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    bool empty() const { return m_pos >= m_size; }

    // One of the four test locales.
    LocaleNumberSettings locale()
    {
        switch (byte() % 4) {
        case 0: return LocaleNumberSettings::russian();
        case 1: return LocaleNumberSettings::russianBlank();
        case 2: return LocaleNumberSettings::english();
        default: return LocaleNumberSettings::german();
        }
    }

    // Up to `limit` characters, each byte read as Latin-1 (which holds the
    // no-break space of the Russian locale).
    QString text(std::size_t limit)
    {
        QString s;
        while (!empty() && static_cast<std::size_t>(s.size()) < limit)
            s.append(QChar(byte()));
        return s;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Reports a broken property and stops the run, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
