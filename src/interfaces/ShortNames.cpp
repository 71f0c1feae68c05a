#include "interfaces/ShortNames.h"

#include <QByteArray>
#include <QUrl>

namespace shortnames {

namespace {
QString encode(const QString &text, qsizetype keepDotAt)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u' ')
            out += QLatin1String("%20");
        else if (c == u'%')
            out += QLatin1String("%25");
        else if (c == u'.' && i != keepDotAt)
            out += QLatin1String("%2E");
        else
            out += c;
    }
    return out;
}
} // namespace

QString directory(const QString &path)
{
    return encode(path, -1);
}

QString fileName(const QString &name)
{
    return encode(name, name.lastIndexOf(u'.'));
}

QString longForm(const QString &shortForm)
{
    if (!shortForm.contains(u'%'))
        return shortForm;
    return QUrl::fromPercentEncoding(shortForm.toUtf8());
}

} // namespace shortnames
