#include "link/frames.h"

#include <QCoreApplication>
#include <QStringEncoder>
#include <string>

namespace lp {

int BuildCommandFrame(TxBuffer& tx, uint8_t command, uint8_t argument) {
    tx[0] = 0x00;
    tx[1] = CommandByte(command);
    tx[2] = CommandByte(argument);
    return CommandFrameLength;
}

namespace {

// Decimal texts of the byte values, so a log of 256 points is a few copies.
struct Decimals {
    std::array<std::array<char, 4>, 256> text{};
    std::array<uint8_t, 256> length{};
    Decimals() {
        for (int v = 0; v < 256; ++v) {
            int n = 0;
            if (v >= 100) text[v][n++] = char('0' + v / 100);
            if (v >= 10) text[v][n++] = char('0' + v / 10 % 10);
            text[v][n++] = char('0' + v % 10);
            length[v] = uint8_t(n);
        }
    }
    void append(std::string& out, uint8_t v) const { out.append(text[v].data(), length[v]); }
};

const Decimals kDecimals;

}  // namespace

NameBytes PictureNameBytes(const QString& text) {
    NameBytes bytes;
    bytes.fill(0x20);
    // Stateless: every character on its own; one the code page lacks becomes
    // 0x00, which the rule turns into a blank.
    QStringEncoder encoder("windows-1251",
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInvalidToNull);
    int k = 0;
    for (qsizetype i = 0; i < text.size() && k < NameLength; ++k) {
        const qsizetype units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, units);
        QByteArray encoded;
        if (encoder.isValid())
            encoded = encoder(character);
        else if (character.front().unicode() < 0x80)  // a Qt without the code page: ASCII only
            encoded = QByteArray(1, char(character.front().unicode()));
        bytes[k] = NameByte(encoded.size() == 1 ? uint8_t(encoded[0]) : 0);
        i += units;
    }
    return bytes;
}

int BuildHeaderFrame(TxBuffer& tx, const QString& nameText, QString* log) {
    std::string text = " Data Special: ";
    tx[0] = 0x00;
    for (int k = 1; k <= 8; ++k) {
        tx[k] = uint8_t(k);
        kDecimals.append(text, uint8_t(k));
        text += "  ";
    }
    std::string names;
    const NameBytes name = PictureNameBytes(nameText);
    for (int k = 0; k < NameLength; ++k) {
        tx[9 + k] = name[k];
        kDecimals.append(names, name[k]);
        names += "  ";
    }
    if (log)
        *log = QString::fromLatin1(text) + QCoreApplication::translate("Upload", "    Имя картинки: ") +
               nameText + QStringLiteral("      ") + QString::fromLatin1(names);
    return UploadHeaderLength;
}

int BuildHalfFrame(TxBuffer& tx, int half, const Coords& X, const Coords& Y, bool invertX, bool invertY,
                   QString* log) {
    std::string text;
    text.reserve(128 * 11);
    tx[0] = half == 0 ? 0xFF : 0xFE;
    for (int i = 0; i < 128; ++i) {
        const int point = half * 128 + i;
        const uint8_t x = CoordByte(X[point], invertX);
        tx[1 + 2 * i] = x;
        kDecimals.append(text, x);
        text += '-';
        const uint8_t y = CoordByte(Y[point], invertY);
        tx[2 + 2 * i] = y;
        kDecimals.append(text, y);
        text += "   ";
    }
    if (log) *log = QString::fromLatin1(text);
    return UploadHalfLength;
}

int BuildEndFrame(TxBuffer& tx) {
    tx[0] = 0x01;
    tx[1] = 0x78;
    return UploadEndLength;
}

QString LogPointsHeading() {
    return QCoreApplication::translate("Upload", " Запись данных(X-Y):  ");
}

QString UploadSummary(long long bytes) {
    return QCoreApplication::translate("Upload", "    всего отправлено %1 байт ").arg(bytes);
}

}  // namespace lp
