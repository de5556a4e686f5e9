// Opening and saving laser picture files, the save prompt on close.
#include "app/baseform.h"
#include "app/controls.h"
#include "ui_baseform.h"

void TBaseForm::connectFileHandlers() {}

void TBaseForm::SpeedButtonOpenPicClick() {}
void TBaseForm::SpeedButtonSavePicClick() {}
bool TBaseForm::SAveToFile() { return false; }
void TBaseForm::ToNameTx(const QString&) {}
void TBaseForm::TimerAvtoSaveTimer() {}
bool TBaseForm::FormClose() { return true; }
