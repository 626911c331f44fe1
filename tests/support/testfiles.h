#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

// Files the tests share.
namespace testfiles {

// A picture of the demo face set in examples/obrazkys.
inline QString demo(const QString &name)
{
    return QStringLiteral(VEMTAL_SOURCE_DIR "/examples/obrazkys/") + name;
}

// The six demo pictures in face order.
inline QStringList demoFiles()
{
    return {demo("1-predni.jpg"), demo("2-prava.png"), demo("3-zadni.gif"),
            demo("4-leva.jpg"), demo("5-horni.png"), demo("6-dolni.gif")};
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
