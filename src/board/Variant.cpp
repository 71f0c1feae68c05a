#include "board/Variant.h"

#include <cmath>

namespace board {

namespace {
bool parseNumber(const QString &text, double *out)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (ok && out)
        *out = value;
    return ok;
}
} // namespace

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

bool Variant::isNumeric() const
{
    if (const auto *text = std::get_if<QString>(&m_value))
        return parseNumber(*text, nullptr);
    return true;
}

double Variant::toNumber() const
{
    if (const auto *number = std::get_if<double>(&m_value))
        return *number;
    if (const auto *flag = std::get_if<bool>(&m_value))
        return *flag ? -1.0 : 0.0;
    if (const auto *text = std::get_if<QString>(&m_value)) {
        double value = 0;
        return parseNumber(*text, &value) ? value : 0.0;
    }
    return 0.0;
}

int Variant::toInt() const
{
    return int(std::lround(toNumber()));
}

bool Variant::toBool() const
{
    if (const auto *flag = std::get_if<bool>(&m_value))
        return *flag;
    if (const auto *text = std::get_if<QString>(&m_value)) {
        if (text->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toNumber() != 0.0;
}

QString Variant::toText() const
{
    if (const auto *text = std::get_if<QString>(&m_value))
        return *text;
    if (const auto *number = std::get_if<double>(&m_value))
        return numberText(*number);
    if (const auto *flag = std::get_if<bool>(&m_value))
        return *flag ? QStringLiteral("True") : QStringLiteral("False");
    return QString();
}

} // namespace board
