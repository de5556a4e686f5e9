// Opening and saving laser picture files, the save prompt on close and the
// (disabled) auto-save. Opening never writes, a save never damages the previous
// file, and a failed write is reported with the file's path and the reason.
#pragma once

#include <QString>

#include "app/mainwindow/windowpart.h"

namespace lp {

class FileCommands : WindowPart {
  public:
    explicit FileCommands(TBaseForm& form);

    void SpeedButtonOpenPicClick();
    bool OpenChosenPicture();
    void SpeedButtonSavePicClick();
    bool SAveToFile();
    void ToNameTx(const QString& path);
    void TimerAvtoSaveTimer();
    bool FormClose();
};

}  // namespace lp
