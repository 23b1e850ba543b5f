#pragma once
// What the calculator engine needs of the desktop: the clipboard as plain
// text and the default beep. The popup calculator supplies the real ones;
// the engine uses the silent defaults until then.
#include <QString>

class CalculatorClipboard
{
public:
    virtual ~CalculatorClipboard() = default;
    virtual bool hasText() const = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// A clipboard that holds nothing and forgets what it is given.
class NullClipboard : public CalculatorClipboard
{
public:
    bool hasText() const override { return false; }
    QString text() const override { return {}; }
    void setText(const QString &) override {}
};

class NullBeeper : public Beeper
{
public:
    void beep() override {}
};
