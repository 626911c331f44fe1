#include "exercisepage.h"

#include "scormpackage.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace exercise {

namespace {

QByteArray resource(const char *name)
{
    QFile file(QLatin1String(":/exercise/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("exercise page resource %s missing", name);
    return file.readAll();
}

QString hash(const QByteArray &text)
{
    return QStringLiteral("'sha256-%1'").arg(QString::fromLatin1(
            QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64()));
}

// The policy the page keeps: its own script and style (by their hashes) and
// data: pictures, nothing else. With the 3D view allowed, also X_ITE and the
// model from the page's own site (which a page opened as a file has not).
QString policy(const QByteArray &style, const QByteArray &script, bool allow3d)
{
    if (!allow3d)
        return QStringLiteral("default-src 'none'; script-src %1; style-src %2; img-src data:; "
                              "base-uri 'none'; form-action 'none'")
                .arg(hash(script), hash(style));
    // X_ITE compiles the model's scripts and sets its own styles.
    return QStringLiteral("default-src 'none'; script-src %1 'self' 'unsafe-eval'; "
                          "style-src 'self' 'unsafe-inline'; img-src data: blob: 'self'; "
                          "connect-src 'self' data: blob:; font-src 'self' data:; "
                          "worker-src 'self' blob:; base-uri 'none'; form-action 'none'")
            .arg(hash(script));
}

// Text for a page: <, > and & only in the title.
QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// JSON inside a script element: no "</script>" or "<!--" can appear.
QByteArray scriptSafe(const QByteArray &json)
{
    QByteArray out = json;
    out.replace('<', "\\u003c").replace('>', "\\u003e").replace('&', "\\u0026");
    return out;
}

QJsonArray pair(int a, int b)
{
    return QJsonArray{a, b};
}

QJsonObject netData(const Net &n)
{
    QJsonArray poses;
    for (const Pose &p : n.poses)
        poses.append(pair(p.mirrored ? 1 : 0, p.turns));
    QJsonArray arrows;
    for (const auto &a : n.arrows)
        arrows.append(QJsonArray{a[0].x(), a[0].y(), a[1].x(), a[1].y(), a[2].x(), a[2].y()});
    QJsonArray cells;
    for (const Cell &c : n.cells) {
        QJsonArray accepted;
        for (const Choice &a : c.accepted)
            accepted.append(pair(a.face, a.turn));
        QJsonObject cell{{"x", c.topLeft.x()}, {"y", c.topLeft.y()},
                         {"shown", pair(c.shown.face, c.shown.turn)},
                         {"accepted", accepted}, {"changed", c.changed},
                         {"fixed", c.fixed}, {"fill", c.fillable}};
        if (c.number)
            cell.insert("n", c.number);
        if (c.field) {
            cell.insert("c", die::column(c.field));
            cell.insert("r", die::row(c.field));
        }
        cells.append(cell);
    }
    return {{"number", n.number}, {"w", n.size.width()}, {"h", n.size.height()},
            {"grid", n.gridLines}, {"poses", poses}, {"arrows", arrows}, {"cells", cells}};
}

// Replaces each @NAME@ of the template once, in one pass: nothing put in is
// read again.
QByteArray filled(const QByteArray &templ, const QList<std::pair<QByteArray, QByteArray>> &values)
{
    QByteArray out;
    qsizetype at = 0;
    while (true) {
        const qsizetype open = templ.indexOf('@', at);
        const qsizetype close = open < 0 ? -1 : templ.indexOf('@', open + 1);
        if (close < 0)
            break;
        const QByteArray name = templ.mid(open + 1, close - open - 1);
        auto value = std::find_if(values.begin(), values.end(),
                                  [&](const auto &v) { return v.first == name; });
        if (value == values.end()) {
            out += templ.mid(at, close - at);
            at = close;
            continue;
        }
        out += templ.mid(at, open - at) + value->second;
        at = close + 1;
    }
    return out + templ.mid(at);
}

} // namespace

QJsonObject pageTexts(const LanguageTexts &language)
{
    const std::pair<const char *, Text> keys[] = {
        {"quizTitle", Text::PageQuizTitle}, {"traceTitle", Text::PageTraceTitle},
        {"quizHelp", Text::PageQuizHelp}, {"traceHelp", Text::PageTraceHelp},
        {"pictures", Text::PagePictures}, {"choose", Text::PageChoose},
        {"check", Text::PageCheck}, {"retry", Text::PageRetry}, {"rule", Text::PageRule},
        {"result", Text::PageResult}, {"passed", Text::PagePassed}, {"failed", Text::PageFailed},
        {"wrong", Text::PageWrong}, {"empty", Text::PageEmpty}, {"square", Text::PageSquare},
        {"field", Text::PageField}, {"picture", Text::PagePicture},
        {"upperNet", Text::PageUpperNet}, {"lowerNet", Text::PageLowerNet},
        {"show3d", Text::PageShow3D}, {"failed3d", Text::WebLoadFailed},
        {"cellState", Text::PageCellState},
    };
    QJsonObject texts;
    for (const auto &[key, line] : keys)
        texts.insert(QLatin1String(key), language.text(line));
    return texts;
}

QString dataUrl(const QImage &image)
{
    QByteArray png, jpeg;
    QBuffer pngBuffer(&png), jpegBuffer(&jpeg);
    image.save(&pngBuffer, "PNG");
    image.convertToFormat(QImage::Format_RGB32).save(&jpegBuffer, "JPEG", 85);
    // Drawings keep their sharp edges as PNG unless that costs much more.
    const bool usePng = jpeg.isEmpty() || png.size() <= jpeg.size() * 3 / 2;
    return QStringLiteral("data:image/%1;base64,%2")
            .arg(usePng ? QStringLiteral("png") : QStringLiteral("jpeg"),
                 QString::fromLatin1((usePng ? png : jpeg).toBase64()));
}

QJsonObject pageData(const Exercise &ex, const Options &options, const QJsonObject &texts)
{
    QJsonArray pictures;
    for (const QImage &p : ex.pictures)
        pictures.append(dataUrl(p));
    QJsonArray nets;
    for (const Net &n : ex.nets)
        nets.append(netData(n));
    return {{"kind", ex.kind == Kind::Quiz ? "quiz" : "trace"},
            {"texts", texts},
            {"pass", options.passPercent},
            {"allow3d", options.allow3d},
            {"task", QJsonArray::fromStringList(ex.task)},
            {"pictures", pictures},
            {"nets", nets},
            {"die", ex.kind == Kind::Trace ? QJsonValue(netData(ex.die)) : QJsonValue()}};
}

QString pageTitle(const Exercise &ex, const LanguageTexts &language)
{
    return QStringLiteral("vemtal – ")
            + language.text(ex.kind == Kind::Quiz ? Text::PageQuizTitle : Text::PageTraceTitle);
}

QByteArray page(const Exercise &ex, const Options &options, const LanguageTexts &language)
{
    const QByteArray style = resource("exercise.css");
    const QByteArray script = resource("exercise.js");
    const QByteArray data = QJsonDocument(pageData(ex, options, pageTexts(language)))
                                    .toJson(QJsonDocument::Compact);
    return filled(resource("exercise.html"),
                  {{"LANG", escaped(language.text(Text::PageLang)).toUtf8()},
                   {"TITLE", escaped(pageTitle(ex, language)).toUtf8()},
                   {"CSP", policy(style, script, options.allow3d).toUtf8()},
                   {"STYLE", style},
                   {"SCRIPT", script},
                   {"DATA", scriptSafe(data)}});
}

QByteArray fileBytes(const Exercise &ex, const Options &options, const LanguageTexts &language,
                     bool scorm, QString *error)
{
    const QByteArray html = page(ex, options, language);
    return scorm ? scorm::package(html, pageTitle(ex, language), options.passPercent, error) : html;
}

} // namespace exercise
