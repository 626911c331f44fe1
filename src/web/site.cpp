#include "site.h"

#include "picturefile.h"
#include "regularfile.h"

#include <QDir>

#include <algorithm>

namespace web {

Site::Site(const QString &token, const QString &xiteFolder)
    : m_token(token)
{
    const QDir folder(xiteFolder);
    for (const QString &name : xiteFiles())
        m_xite.insert(QStringLiteral("x_ite/") + name, folder.filePath(name));
}

void Site::publish(const Content &content, const QByteArray &page)
{
    m_pictures.clear();
    for (const Picture &picture : content.pictures)
        if (!picture.name.isEmpty())
            m_pictures.insert(picture.name, picture.file);
    m_model = content.model;
    m_page = page;
}

Target Site::resolve(const QByteArray &method, const QByteArray &host, const QString &path) const
{
    Target target;
    if (method != "GET" && method != "HEAD") {
        target.kind = Target::Kind::NotAllowed;
        return target;
    }
    const QString prefix = QLatin1Char('/') + m_token + QLatin1Char('/');
    if ((!m_host.isEmpty() && host != m_host) || path.size() > maxPathLength
        || !path.startsWith(prefix) || m_page.isEmpty())
        return target;
    const QString name = path.mid(prefix.size());
    if (name.isEmpty() || name == QLatin1String("index.html")) {
        target.kind = Target::Kind::Page;
        target.type = contentType(QStringLiteral("index.html"));
        target.current = true;
    } else if (name == QLatin1String("model.wrl")) {
        target.kind = Target::Kind::Model;
        target.type = contentType(name);
        target.current = true;
    } else if (m_pictures.contains(name)) {
        target.kind = Target::Kind::File;
        target.file = m_pictures.value(name);
        target.type = contentType(name);
        target.current = true;
    } else if (m_xite.contains(name)) {
        target.kind = Target::Kind::File;
        target.file = m_xite.value(name);
        target.type = contentType(name);
    }
    return target;
}

Reply Site::reply(const Target &target) const
{
    Reply reply;
    switch (target.kind) {
    case Target::Kind::NotFound:
        return reply;
    case Target::Kind::NotAllowed:
        reply.status = 405;
        reply.body = "Method not allowed\n";
        return reply;
    case Target::Kind::Page:
        reply.body = m_page;
        break;
    case Target::Kind::Model:
        reply.body = m_model;
        break;
    case Target::Kind::File:
        if (std::find(m_pictures.cbegin(), m_pictures.cend(), target.file) != m_pictures.cend()) {
            // Checked again as it is read: the bytes served are the bytes
            // that decoded, with the type of the format they decoded as.
            picturefile::Problem problem;
            const picturefile::Checked picture = picturefile::read(target.file, problem);
            if (picture.format == picturefile::Format::None)
                return reply;
            reply.status = 200;
            reply.type = picturefile::contentType(picture.format);
            reply.body = picture.bytes;
            reply.current = target.current;
            return reply;
        }
        // Regular files only, never waiting (the data folder may be anyone's).
        regularfile::ReadError error;
        if (!regularfile::read(target.file, maxFileSize, reply.body, error))
            return Reply();
        break;
    }
    reply.status = 200;
    reply.type = target.type;
    reply.current = target.current;
    return reply;
}

} // namespace web
