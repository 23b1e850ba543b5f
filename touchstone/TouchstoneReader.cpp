#include "TouchstoneReader.h"

#include "TouchstoneOptions.h"

#include "physics/ShortestText.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string upperCase(std::string_view word)
{
    std::string upper(word);
    for (char &c : upper)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return upper;
}

// The port count that a name's extension .sNp gives, or none.
std::optional<long> portsOfName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string extension = upperCase(name.substr(dot + 1));
    if (extension.size() < 3 || extension.front() != 'S' || extension.back() != 'P')
        return std::nullopt;
    const std::string digits = extension.substr(1, extension.size() - 2);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stol(digits);
}

// A positive whole number, as the counts of version 2 keywords are written.
std::optional<long> countOf(std::string_view text)
{
    const std::optional<double> value = NumberOf(trimmed(text));
    if (!value || !(*value >= 1.0) || *value > 1e9 || std::floor(*value) != *value)
        return std::nullopt;
    return static_cast<long>(*value);
}

class TouchstoneParser
{
public:
    explicit TouchstoneParser(std::string_view fileName)
    {
        const std::optional<long> ports = portsOfName(fileName);
        if (ports && *ports != 1)
            throw TouchstoneError(0, "a file of " + std::to_string(*ports) + " ports (.s" + std::to_string(*ports)
                                         + "p); a one-port file (.s1p) is needed");
    }

    OnePortData read(std::string_view text)
    {
        ForEachLine(text, kTouchstoneLongestLine, [this](int number, std::string_view line) {
            m_line = number;
            readLine(line);
        });
        return finish();
    }

private:
    [[noreturn]] void fail(const std::string &reason, int line = -1) const
    {
        throw TouchstoneError(line < 0 ? m_line : line, reason);
    }

    void readLine(std::string_view line)
    {
        line = trimmed(line.substr(0, line.find('!')));
        if (line.empty() || m_ended)
            return;
        if (m_inInformation) {
            if (upperCase(line).rfind("[END INFORMATION]", 0) == 0)
                m_inInformation = false;
            return;
        }
        if (line.front() == '[')
            keyword(line);
        else if (line.front() == '#')
            optionLine(line.substr(1));
        else
            dataLine(line);
    }

    void optionLine(std::string_view line)
    {
        // Only the first option line counts; later ones are passed over.
        if (m_options)
            return;
        if (m_version == 0)
            m_version = 1;
        std::string failure;
        m_options = ReadTouchstoneOptions(line, failure);
        if (!m_options)
            fail(failure);
        if (!m_referenceGiven)
            m_data.referenceResistance = m_options->referenceResistance;
    }

    void keyword(std::string_view line)
    {
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos)
            fail(QuotedWord(line) + " is not a keyword: its ']' is missing");
        const std::string name = upperCase(line.substr(1, close - 1));
        const std::string_view value = trimmed(line.substr(close + 1));
        if (m_version == 0) {
            if (name != "VERSION")
                fail("a file begins with its option line (# …) or with [Version] 2.0");
            if (value.substr(0, 2) != "2.")
                fail("[Version] " + QuotedWord(value) + " is not a version read here (2.0)");
            m_version = 2;
            return;
        }
        if (m_version == 1)
            fail("[" + name + "] belongs to version 2 files, which begin with [Version] 2.0");
        if (!m_options)
            fail("the option line (# …) must follow [Version]");
        versionTwoKeyword(name, value);
    }

    void versionTwoKeyword(const std::string &name, std::string_view value)
    {
        if (name == "NUMBER OF PORTS") {
            const std::optional<long> ports = countOf(value);
            if (!ports)
                fail("[Number of Ports] " + QuotedWord(value) + " is not a count of ports");
            if (*ports != 1)
                fail("the file describes " + std::to_string(*ports) + " ports; a one-port file is needed");
            m_portsGiven = true;
        } else if (name == "NUMBER OF FREQUENCIES") {
            m_frequencies = countOf(value);
            if (!m_frequencies)
                fail("[Number of Frequencies] " + QuotedWord(value) + " is not a count above 0");
        } else if (name == "REFERENCE") {
            m_referenceFollows = value.empty();
            if (!value.empty())
                reference(value);
        } else if (name == "MATRIX FORMAT") {
            // One port has a one-element matrix, the same in every format.
        } else if (name == "BEGIN INFORMATION") {
            m_inInformation = true;
        } else if (name == "NETWORK DATA") {
            if (!m_portsGiven || !m_frequencies)
                fail("[Network Data] must come after [Number of Ports] and [Number of Frequencies]");
            m_inData = true;
        } else if (name == "END") {
            m_ended = true;
        } else if (name == "TWO-PORT DATA ORDER" || name == "NUMBER OF NOISE FREQUENCIES" || name == "NOISE DATA"
                   || name == "MIXED-MODE ORDER") {
            fail("[" + name + "] belongs to a file of more than one port; a one-port file is needed");
        } else {
            fail("[" + name + "] is not a keyword of a Touchstone file");
        }
    }

    void reference(std::string_view value)
    {
        const std::optional<double> resistance = NumberOf(value);
        if (!resistance || !(*resistance > 0.0))
            fail("the reference resistance " + QuotedWord(value) + " is not one number above 0");
        m_data.referenceResistance = *resistance;
        m_referenceGiven = true;
        m_referenceFollows = false;
    }

    void dataLine(std::string_view line)
    {
        if (m_referenceFollows)
            return reference(line);
        if (m_version == 0)
            fail("the option line (# …) must come before the data");
        if (m_version == 2 && !m_inData)
            fail("data before [Network Data]");
        bool firstOnLine = true;
        std::size_t start = 0;
        while (start != std::string_view::npos) {
            const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
            value(line.substr(start, end - start), firstOnLine);
            firstOnLine = false;
            start = line.find_first_not_of(kBlanks, end);
        }
    }

    void value(std::string_view word, bool firstOnLine)
    {
        const std::optional<double> number = NumberOf(word);
        if (!number)
            fail(QuotedWord(word) + " is not a number");
        if (m_count == 0) {
            // A point begins a line: a value left over on the line means the
            // point before ran short, or more than one point is on the line.
            if (!firstOnLine && m_lastStart != m_line)
                cutShort(m_lastStart);
            if (!firstOnLine)
                fail("the line holds more numbers than a one-port point, a frequency and two values");
            m_start = m_line;
        }
        m_values[m_count++] = *number;
        if (m_count == 3)
            addPoint();
    }

    [[noreturn]] void cutShort(int line) const
    {
        throw TouchstoneError(line, "the point is cut short: a frequency and two values are needed");
    }

    void addPoint()
    {
        m_count = 0;
        m_lastStart = m_start;
        const double frequency = m_values[0] * m_options->frequencyScale;
        const std::string shown = ShortestText(m_values[0]);
        if (!std::isfinite(frequency))
            fail("the frequency " + shown + " is beyond any frequency", m_start);
        if (frequency < 0.0)
            fail("the frequency " + shown + " is negative", m_start);
        if (!m_data.points.empty() && !(frequency > m_data.points.back().frequency))
            fail("the frequency " + shown + " does not increase on the one before", m_start);
        const std::complex<double> reflection = TouchstoneValue(m_options->format, m_values[1], m_values[2]);
        if (!std::isfinite(reflection.real()) || !std::isfinite(reflection.imag()))
            fail("the value is beyond any reflection coefficient", m_start);
        if (m_frequencies && long(m_data.points.size()) == *m_frequencies)
            fail("the file holds more points than [Number of Frequencies] " + std::to_string(*m_frequencies), m_start);
        m_data.points.push_back({frequency, reflection});
    }

    OnePortData finish()
    {
        if (m_count != 0)
            cutShort(m_start);
        if (m_referenceFollows)
            fail("[Reference] is not followed by the reference resistance");
        if (m_data.points.empty())
            fail("the file holds no data", 0);
        if (m_frequencies && long(m_data.points.size()) != *m_frequencies)
            fail("[Number of Frequencies] is " + std::to_string(*m_frequencies) + ", but the file holds "
                 + std::to_string(m_data.points.size()) + " points");
        return std::move(m_data);
    }

    int m_line = 0;
    int m_version = 0; // 0 before the first line that tells
    std::optional<TouchstoneOptions> m_options;
    bool m_portsGiven = false;
    std::optional<long> m_frequencies;
    bool m_referenceGiven = false;
    bool m_referenceFollows = false;
    bool m_inInformation = false;
    bool m_inData = false;
    bool m_ended = false;
    double m_values[3] = {};
    int m_count = 0;
    int m_start = 0;     // the line of the point being read
    int m_lastStart = 0; // the line of the last point read whole
    OnePortData m_data;
};

} // namespace

OnePortData ReadTouchstone(std::string_view text, std::string_view fileName)
{
    return TouchstoneParser(fileName).read(text);
}
