#pragma once

#include <QString>

#include <variant>

namespace board {

// The public variables of the windows hold variants: empty, a number, a text
// or a Boolean, converting as arithmetic and text joining need. Empty reads as
// 0 or as "", a numeric text takes part in arithmetic, and true counts as -1.
class Variant
{
public:
    Variant() = default;
    Variant(int value) : m_value(double(value)) {}
    Variant(double value) : m_value(value) {}
    Variant(bool value) : m_value(value) {}
    Variant(const QString &value) : m_value(value) {}
    Variant(const char *value) : m_value(QString::fromUtf8(value)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }
    bool isBool() const { return std::holds_alternative<bool>(m_value); }

    // True when the value can take part in arithmetic: empty, a number, a
    // Boolean, or a text that reads as a decimal number.
    bool isNumeric() const;

    double toNumber() const;
    int toInt() const;
    bool toBool() const;
    QString toText() const;

    friend bool operator==(const Variant &a, const Variant &b) = default;

private:
    std::variant<std::monostate, double, QString, bool> m_value;
};

// Numbers as text in the shortest decimal form: 12, -1, 4732.5.
QString numberText(double value);

} // namespace board
