#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QUrl>

// Files the tests share.
namespace testfiles {

// A picture of the demo face set in examples/obrazkys.
inline QString demo(const QString &name)
{
    return QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys/") + name;
}

// Where the local page that the browser is handed forwards it.
inline QUrl forwardTarget(const QString &page)
{
    QFile file(page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpressionMatch refresh = QRegularExpression(QStringLiteral("content=\"0; url=([^\"]+)\""))
                                                    .match(QString::fromUtf8(file.readAll()));
    return QUrl(refresh.captured(1));
}

} // namespace testfiles
