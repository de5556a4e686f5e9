// The window's parts, a class per concern: made in the order their
// connections are wanted, and dropped with the window.
#include "app/baseform.h"
#include "app/mainwindow/file_commands.h"
#include "app/mainwindow/ilda_commands.h"
#include "app/mainwindow/list_commands.h"
#include "app/mainwindow/mouse_editing.h"
#include "app/mainwindow/picture_commands.h"
#include "app/mainwindow/recovery_commands.h"
#include "app/mainwindow/shape_commands.h"
#include "app/mainwindow/trace_commands.h"

void TBaseForm::makeParts() {
    recoveryCommands_.reset(new lp::RecoveryCommands(*this));
    files_.reset(new lp::FileCommands(*this));
    mouse_.reset(new lp::MouseEditing(*this));
    list_.reset(new lp::ListCommands(*this));
    connectKeyboard();
    shapes_.reset(new lp::ShapeCommands(*this));
    picture_.reset(new lp::PictureCommands(*this));
    ilda_.reset(new lp::IldaCommands(*this));
    trace_.reset(new lp::TraceCommands(*this));
}

template <class Part>
void TBaseForm::PartDeleter::operator()(Part* part) const {
    delete part;
}

// clang-format off
template void TBaseForm::PartDeleter::operator()(lp::RecoveryCommands*) const;
template void TBaseForm::PartDeleter::operator()(lp::FileCommands*) const;
template void TBaseForm::PartDeleter::operator()(lp::MouseEditing*) const;
template void TBaseForm::PartDeleter::operator()(lp::ListCommands*) const;
template void TBaseForm::PartDeleter::operator()(lp::ShapeCommands*) const;
template void TBaseForm::PartDeleter::operator()(lp::PictureCommands*) const;
template void TBaseForm::PartDeleter::operator()(lp::IldaCommands*) const;
template void TBaseForm::PartDeleter::operator()(lp::TraceCommands*) const;
// clang-format on
