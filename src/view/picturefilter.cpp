// The open-picture dialog's filters, from the formats the image reader has.
#include <QImageReader>
#include <QMap>
#include <QStringList>

#include "view/picturefile.h"

namespace lp {

QString PictureDialogFilter() {
    // Spellings of one format share an entry.
    auto key = [](const QByteArray& format) -> QByteArray {
        if (format == "jpg" || format == "jpe" || format == "jfif") return "jpeg";
        if (format == "tif") return "tiff";
        return format;
    };
    QMap<QByteArray, QStringList> groups;
    QStringList all;
    const auto formats = QImageReader::supportedImageFormats();
    for (const QByteArray& format : formats) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(format);
        groups[key(format)] << pattern;
        all << pattern;
    }
    QStringList filters{QStringLiteral("Все картинки (%1)").arg(all.join(u' '))};
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        filters << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(it.key()).toUpper(),
                                                 it.value().join(u' '));
    filters << QStringLiteral("Все файлы (*)");
    return filters.join(QStringLiteral(";;"));
}

}  // namespace lp
