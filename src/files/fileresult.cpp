#include "files/fileresult.h"

#include <sys/stat.h>

#include <QDir>
#include <cerrno>
#include <cstring>

namespace lp {

QString SystemErrorText(int err) {
    switch (err) {
        case ENOENT:
            return QStringLiteral("Нет такого файла или папки");
        case EACCES:
        case EPERM:
            return QStringLiteral("Нет прав доступа");
        case EISDIR:
            return QStringLiteral("Это папка, а не файл");
        case ENOTDIR:
            return QStringLiteral("Часть пути не является папкой");
        case ENAMETOOLONG:
            return QStringLiteral("Слишком длинное имя файла");
        case ELOOP:
            return QStringLiteral("Символьные ссылки образуют кольцо");
        case ENOSPC:
            return QStringLiteral("На диске нет места");
        case EDQUOT:
            return QStringLiteral("Превышена дисковая квота");
        case EROFS:
            return QStringLiteral("Файловая система доступна только для чтения");
        case EFBIG:
            return QStringLiteral("Превышен допустимый размер файла");
        case EIO:
            return QStringLiteral("Ошибка ввода-вывода");
        case EBUSY:
        case ETXTBSY:
            return QStringLiteral("Файл занят");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("Открыто слишком много файлов");
        case ENOMEM:
            return QStringLiteral("Недостаточно памяти");
        case ENXIO:
        case ENODEV:
            return QStringLiteral("Нет такого устройства");
        default:
            // Rare ones: the system's own words, with the number to look up.
            return QStringLiteral("Системная ошибка %1 (%2)")
                .arg(err)
                .arg(QString::fromLocal8Bit(std::strerror(err)));
    }
}

FileResult SystemFailure(const QString& what, int err) {
    return {false, what + SystemErrorText(err)};
}

QString NotRegularText(unsigned mode) {
    if (S_ISDIR(mode)) return QStringLiteral("Это папка, а не файл");
    if (S_ISFIFO(mode)) return QStringLiteral("Это не обычный файл, а именованный канал");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("Это не обычный файл, а устройство");
    if (S_ISSOCK(mode)) return QStringLiteral("Это не обычный файл, а сокет");
    return QStringLiteral("Это не обычный файл");
}

QString FailureMessage(const QString& what, const QString& path, const QString& reason) {
    return what + QLatin1Char('\n') + QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

}  // namespace lp
