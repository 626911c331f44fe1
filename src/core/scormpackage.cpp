#include "scormpackage.h"

#include "ziparchive.h"

#include <QXmlStreamWriter>

namespace scorm {

QByteArray manifest(const QString &title, int masteryScore)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("manifest"));
    w.writeAttribute(QStringLiteral("identifier"), QStringLiteral("vemtal-exercise"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    w.writeDefaultNamespace(QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2"));
    w.writeNamespace(QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2"), QStringLiteral("adlcp"));
    w.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
    w.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("schemaLocation"),
                     QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd "
                                    "http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd "
                                    "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd"));
    const QString adlcp = QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2");

    w.writeStartElement(QStringLiteral("metadata"));
    w.writeTextElement(QStringLiteral("schema"), QStringLiteral("ADL SCORM"));
    w.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.2"));
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("organizations"));
    w.writeAttribute(QStringLiteral("default"), QStringLiteral("vemtal-org"));
    w.writeStartElement(QStringLiteral("organization"));
    w.writeAttribute(QStringLiteral("identifier"), QStringLiteral("vemtal-org"));
    w.writeTextElement(QStringLiteral("title"), title);
    w.writeStartElement(QStringLiteral("item"));
    w.writeAttribute(QStringLiteral("identifier"), QStringLiteral("vemtal-item"));
    w.writeAttribute(QStringLiteral("identifierref"), QStringLiteral("vemtal-page"));
    w.writeAttribute(QStringLiteral("isvisible"), QStringLiteral("true"));
    w.writeTextElement(QStringLiteral("title"), title);
    w.writeTextElement(adlcp, QStringLiteral("masteryscore"), QString::number(qBound(0, masteryScore, 100)));
    w.writeEndElement();   // item
    w.writeEndElement();   // organization
    w.writeEndElement();   // organizations

    w.writeStartElement(QStringLiteral("resources"));
    w.writeStartElement(QStringLiteral("resource"));
    w.writeAttribute(QStringLiteral("identifier"), QStringLiteral("vemtal-page"));
    w.writeAttribute(QStringLiteral("type"), QStringLiteral("webcontent"));
    w.writeAttribute(adlcp, QStringLiteral("scormtype"), QStringLiteral("sco"));
    w.writeAttribute(QStringLiteral("href"), QLatin1String(pageName));
    w.writeStartElement(QStringLiteral("file"));
    w.writeAttribute(QStringLiteral("href"), QLatin1String(pageName));
    w.writeEndElement();
    w.writeEndElement();   // resource
    w.writeEndElement();   // resources

    w.writeEndElement();   // manifest
    w.writeEndDocument();
    return xml;
}

QByteArray package(const QByteArray &page, const QString &title, int masteryScore, QString *error)
{
    return ziparchive::write({{QStringLiteral("imsmanifest.xml"), manifest(title, masteryScore)},
                              {QLatin1String(pageName), page}},
                             error);
}

} // namespace scorm
