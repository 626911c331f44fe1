#include "ziparchive.h"

#include <QRegularExpression>
#include <QSet>

#include <sys/stat.h>
#include <zip.h>

#include <ctime>
#include <memory>

namespace ziparchive {

namespace {

// 2026-01-01 00:00 UTC: the time every entry carries.
constexpr time_t entryTime = 1767225600;

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct FileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

QString errorText(zip_error_t *error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

} // namespace

bool safeName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._-]+(/[A-Za-z0-9._-]+)*$"));
    if (name.size() > 200 || !plain.match(name).hasMatch())
        return false;
    for (const QString &part : name.split(QLatin1Char('/')))
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}

QByteArray write(const QList<Entry> &entries, QString *error)
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &zerror);
    if (!buffer) {
        if (error)
            *error = errorText(&zerror);
        zip_error_fini(&zerror);
        return {};
    }
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        zip_source_free(buffer);
        zip_error_fini(&zerror);
        return QByteArray();
    };
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &zerror);
    if (!archive)
        return fail(errorText(&zerror));
    // Kept past zip_close(), which writes the archive into it.
    zip_source_keep(buffer);
    for (const Entry &entry : entries) {
        zip_source_t *data = zip_source_buffer(archive, entry.data.constData(),
                                               zip_uint64_t(entry.data.size()), 0);
        const zip_int64_t index = data ? zip_file_add(archive, entry.name.toUtf8().constData(), data,
                                                      ZIP_FL_ENC_UTF_8)
                                       : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            const QString why = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            return fail(why);
        }
        zip_set_file_compression(archive, zip_uint64_t(index),
                                 entry.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 9);
        zip_file_set_mtime(archive, zip_uint64_t(index), entryTime, 0);
    }
    if (zip_close(archive) < 0) {
        const QString why = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return fail(why);
    }
    QByteArray bytes;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        if (size > 0) {
            bytes.resize(size);
            if (zip_source_read(buffer, bytes.data(), zip_uint64_t(size)) != size)
                bytes.clear();
        }
        zip_source_close(buffer);
    }
    if (bytes.isEmpty())
        return fail(QStringLiteral("zip"));
    zip_source_free(buffer);
    zip_error_fini(&zerror);
    return bytes;
}

ReadResult read(const QByteArray &bytes, const Limits &limits)
{
    ReadResult result;
    const auto fail = [&result](ReadError error) {
        result.error = error;
        result.entries.clear();
        return result;
    };
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()),
                                                    0, &zerror);
    Archive archive(source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerror)
                           : nullptr);
    zip_error_fini(&zerror);
    if (!archive) {
        if (source)
            zip_source_free(source);
        return fail(ReadError::NotAnArchive);
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0)
        return fail(ReadError::NotAnArchive);
    if (count > limits.entries)
        return fail(ReadError::TooLarge);
    QSet<QString> names;
    qint64 total = 0;
    for (zip_uint64_t i = 0; i < zip_uint64_t(count); ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), i, ZIP_FL_ENC_GUESS, &stat) < 0
            || !(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE))
            return fail(ReadError::NotAnArchive);
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith(QLatin1Char('/')))
            return fail(ReadError::NotAFile);
        if (!safeName(name) || names.contains(name))
            return fail(ReadError::BadName);
        names.insert(name);
        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive.get(), i, 0, &opsys, &attributes) == 0
            && opsys == ZIP_OPSYS_UNIX) {
            const mode_t mode = mode_t(attributes >> 16);
            if (S_ISLNK(mode) || S_ISDIR(mode) || ((mode & S_IFMT) && !S_ISREG(mode)))
                return fail(ReadError::NotAFile);
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            return fail(ReadError::NotAFile);
        // The stated size is a claim: what is read is counted, never more
        // than the limit and one byte.
        if (stat.size > zip_uint64_t(limits.entrySize) || total + qint64(stat.size) > limits.totalSize)
            return fail(ReadError::TooLarge);
        std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive.get(), i, 0));
        if (!file)
            return fail(ReadError::NotAnArchive);
        QByteArray data(qsizetype(stat.size) + 1, Qt::Uninitialized);
        qint64 got = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file.get(), data.data() + got, zip_uint64_t(data.size() - got));
            if (n < 0)
                return fail(ReadError::NotAnArchive);
            if (n == 0)
                break;
            got += n;
            if (got == data.size())
                return fail(ReadError::TooLarge);
        }
        if (got != qint64(stat.size))
            return fail(ReadError::NotAnArchive);
        data.truncate(got);
        total += got;
        result.entries.append({name, data, true});
    }
    return result;
}

} // namespace ziparchive
