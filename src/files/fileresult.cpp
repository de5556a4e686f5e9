#include "files/fileresult.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstring>

namespace lp {

QString SystemErrorText(int err) {
    switch (err) {
        case ENOENT:
            return QCoreApplication::translate("Files", "Нет такого файла или папки");
        case EACCES:
        case EPERM:
            return QCoreApplication::translate("Files", "Нет прав доступа");
        case EISDIR:
            return QCoreApplication::translate("Files", "Это папка, а не файл");
        case ENOTDIR:
            return QCoreApplication::translate("Files", "Часть пути не является папкой");
        case ENAMETOOLONG:
            return QCoreApplication::translate("Files", "Слишком длинное имя файла");
        case ELOOP:
            return QCoreApplication::translate("Files", "Символьные ссылки образуют кольцо");
        case ENOSPC:
            return QCoreApplication::translate("Files", "На диске нет места");
        case EDQUOT:
            return QCoreApplication::translate("Files", "Превышена дисковая квота");
        case EROFS:
            return QCoreApplication::translate("Files", "Файловая система доступна только для чтения");
        case EFBIG:
            return QCoreApplication::translate("Files", "Превышен допустимый размер файла");
        case EIO:
            return QCoreApplication::translate("Files", "Ошибка ввода-вывода");
        case EBUSY:
        case ETXTBSY:
            return QCoreApplication::translate("Files", "Файл занят");
        case EMFILE:
        case ENFILE:
            return QCoreApplication::translate("Files", "Открыто слишком много файлов");
        case ENOMEM:
            return QCoreApplication::translate("Files", "Недостаточно памяти");
        case ENXIO:
        case ENODEV:
            return QCoreApplication::translate("Files", "Нет такого устройства");
        default:
            // Rare ones: the system's own words, with the number to look up.
            return QCoreApplication::translate("Files", "Системная ошибка %1 (%2)")
                .arg(err)
                .arg(QString::fromLocal8Bit(std::strerror(err)));
    }
}

FileResult SystemFailure(const QString& what, int err) {
    return {false, what + SystemErrorText(err)};
}

QString NotRegularText(unsigned mode) {
    if (S_ISDIR(mode)) return QCoreApplication::translate("Files", "Это папка, а не файл");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("Files", "Это не обычный файл, а именованный канал");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("Files", "Это не обычный файл, а устройство");
    if (S_ISSOCK(mode)) return QCoreApplication::translate("Files", "Это не обычный файл, а сокет");
    return QCoreApplication::translate("Files", "Это не обычный файл");
}

QString FailureMessage(const QString& what, const QString& path, const QString& reason) {
    return what + QLatin1Char('\n') + QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason;
}

}  // namespace lp
