#include "picture/svgrefs.h"

#include <QStringList>
#include <QXmlStreamReader>

#include "picture/pictureformat.h"

namespace lp {

namespace {

// A URL as the URL rules read it: C0 controls and spaces cut from both ends,
// tabs and line breaks dropped wherever they are.
QString UrlText(QStringView written) {
    qsizetype from = 0, to = written.size();
    while (from < to && written[from].unicode() <= 0x20) ++from;
    while (to > from && written[to - 1].unicode() <= 0x20) --to;
    QString url;
    url.reserve(to - from);
    for (const QChar c : written.sliced(from, to - from))
        if (c != u'\t' && c != u'\n' && c != u'\r') url += c;
    return url;
}

bool IsCssSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

int HexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c.unicode() >= 0x80;
}

// CSS text as its tokenizer reads it: escapes, strings, names and comments.
class CssText {
  public:
    explicit CssText(QStringView text) : text_(text) {}
    bool atEnd() const { return i_ >= text_.size(); }
    QChar peek(qsizetype ahead = 0) const { return i_ + ahead < text_.size() ? text_[i_ + ahead] : QChar(); }
    void skip() { ++i_; }
    void skipComment() {
        const qsizetype end = text_.indexOf(u"*/", i_ + 2);
        i_ = end < 0 ? text_.size() : end + 2;
    }
    void skipSpace() {
        while (!atEnd() && IsCssSpace(peek())) ++i_;
    }
    // A backslash and what it stands for.
    void escape(QString& out) {
        ++i_;
        char32_t code = 0;
        int digits = 0;
        for (; !atEnd() && digits < 6 && HexValue(peek()) >= 0; ++i_, ++digits)
            code = code * 16 + HexValue(peek());
        if (digits > 0) {
            if (!atEnd() && IsCssSpace(peek())) ++i_;
            if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
            out += QString::fromUcs4(&code, 1);
        } else if (!atEnd() && peek() != u'\n') {
            out += text_[i_++];
        } else if (!atEnd()) {
            ++i_;  // a line continued
        }
    }
    QString name() {
        QString out;
        while (!atEnd() && (IsNameChar(peek()) || peek() == u'\\')) {
            if (peek() == u'\\')
                escape(out);
            else
                out += text_[i_++];
        }
        return out;
    }
    QString string() {
        const QChar quote = text_[i_++];
        QString out;
        while (!atEnd() && peek() != quote && peek() != u'\n') {
            if (peek() == u'\\')
                escape(out);
            else
                out += text_[i_++];
        }
        if (!atEnd()) ++i_;
        return out;
    }
    // What follows "url(": a string or everything up to the closing parenthesis.
    QString urlArgument() {
        skipSpace();
        if (peek() == u'"' || peek() == u'\'') return string();
        QString out;
        while (!atEnd() && peek() != u')') {
            if (peek() == u'\\')
                escape(out);
            else
                out += text_[i_++];
        }
        return out;
    }

  private:
    QStringView text_;
    qsizetype i_ = 0;
};

class Checker {
  public:
    SvgCheck run(const QByteArray& svg);

  private:
    void element(const QXmlStreamReader& xml, QStringView element);
    void reference(QStringView written, bool mayCarryPicture, bool image = false);
    void css(QStringView text);
    void refuse(QStringView what) {
        if (!foreign_.isEmpty()) return;
        foreign_ = u'«' + what.left(100).toString() +
                   (what.size() > 100 ? QStringLiteral("…»") : QStringLiteral("»"));
    }

    QString foreign_;
};

// A picture carried in a data: URL is taken as the SVG reader takes it: the
// base64 after the last "base64,". Only raster formats taken may be there.
bool CarriesForeignPicture(const QString& url) {
    const qsizetype base64 = url.lastIndexOf(u"base64,", -1, Qt::CaseInsensitive);
    const QByteArray data = base64 >= 0
                                ? QByteArray::fromBase64(url.sliced(base64 + 7).toLatin1())
                                : QByteArray::fromPercentEncoding(url.sliced(url.indexOf(u',') + 1).toUtf8());
    if (data.isEmpty()) return false;
    const QByteArray format = PictureFormatOf(data);
    return format.isEmpty() || format == "svg" || format == "svgz";
}

void Checker::reference(QStringView written, bool mayCarryPicture, bool image) {
    const QString url = UrlText(written);
    // An element, there or not (then it draws nothing); an image draws only
    // a picture, so its "#id" would be looked for as a file.
    if (url.startsWith(u'#')) {
        if (image) refuse(url);
        return;
    }
    // A data: URL needs the comma before its data, and its scheme in lower
    // case: not every SVG reader takes another for data.
    if (!url.startsWith(u"data:") || !url.contains(u',') || (mayCarryPicture && CarriesForeignPicture(url)))
        refuse(written);
}

// Walks CSS for the URLs it names: url(...), src(...) and @import "...".
void Checker::css(QStringView text) {
    CssText in(text);
    bool import = false;
    while (!in.atEnd()) {
        const QChar c = in.peek();
        if (c == u'/' && in.peek(1) == u'*') {
            in.skipComment();
        } else if (c == u'"' || c == u'\'') {
            const QString string = in.string();
            if (import) reference(string, false);
            import = false;
        } else if (c == u'@') {
            in.skip();
            import = in.name().compare(u"import", Qt::CaseInsensitive) == 0;
        } else if (IsNameChar(c) || c == u'\\') {
            const QString name = in.name();
            in.skipSpace();
            import = false;
            if (in.peek() != u'(') continue;
            in.skip();
            if (name.compare(u"url", Qt::CaseInsensitive) == 0 ||
                name.compare(u"src", Qt::CaseInsensitive) == 0)
                reference(in.urlArgument(), false);
        } else {
            if (!IsCssSpace(c)) import = false;
            in.skip();
        }
    }
}

void Checker::element(const QXmlStreamReader& xml, QStringView element) {
    const auto attributes = xml.attributes();
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        const QStringView local = name.sliced(name.lastIndexOf(u':') + 1);
        if (name == u"id" || name == u"xml:id") continue;
        if (local == u"href" && element == u"a") continue;  // a link is followed by no one drawing it
        const bool image = element == u"image";
        if (local == u"href" || local == u"src")
            reference(attribute.value(), true, image);
        else
            css(attribute.value());
    }
}

SvgCheck Checker::run(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    xml.setNamespaceProcessing(false);
    bool root = true;
    int inStyle = 0;  // depth inside <style>
    QString sheet;
    while (!xml.atEnd() && foreign_.isEmpty()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::StartElement: {
                const QStringView name = xml.qualifiedName();
                const QStringView local = name.sliced(name.lastIndexOf(u':') + 1);
                if (root && local != u"svg") return {SvgCheck::NotSvg, {}};
                root = false;
                if (inStyle || local == u"style") ++inStyle;
                element(xml, local);
                break;
            }
            case QXmlStreamReader::EndElement:
                if (inStyle && --inStyle == 0) {
                    css(sheet);
                    sheet.clear();
                }
                break;
            case QXmlStreamReader::Characters:
                if (inStyle) sheet += xml.text();
                break;
            case QXmlStreamReader::DTD:
                for (const QXmlStreamEntityDeclaration& entity : xml.entityDeclarations())
                    if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                        refuse(entity.systemId().isEmpty() ? entity.publicId() : entity.systemId());
                break;
            case QXmlStreamReader::EntityReference:
                refuse(u'&' + xml.name().toString() + u';');
                break;
            case QXmlStreamReader::ProcessingInstruction:
                if (xml.processingInstructionTarget() == u"xml-stylesheet")
                    refuse(xml.processingInstructionData());
                break;
            default:
                break;
        }
    }
    if (!foreign_.isEmpty()) return {SvgCheck::Foreign, foreign_};
    if (root) return {SvgCheck::NotSvg, {}};
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) return {SvgCheck::Cut, {}};
    if (xml.hasError()) return {SvgCheck::Broken, xml.errorString()};
    return {};
}

}  // namespace

SvgCheck CheckSvgReferences(const QByteArray& svg) {
    return Checker().run(svg);
}

}  // namespace lp
