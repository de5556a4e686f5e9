// The recovery copy from the window's side: what it holds, the question at
// start-up about copies left by editors that no longer run, and the logout,
// which asks as the close does.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <utility>

#include "app/mainwindow/windowpart.h"

class QSessionManager;

namespace lp {

class RecoveryKeeper;
struct RecoveryContent;

class RecoveryCommands : WindowPart {
  public:
    explicit RecoveryCommands(TBaseForm& form);
    ~RecoveryCommands();

    void EnableRecovery(const QString& folder);
    RecoveryKeeper* keeper() const { return keeper_.get(); }
    RecoveryContent recoveryContent() const;
    void MarkSaved(const QString& path);
    bool OfferRecovery();
    void RestoreCopy(const RecoveryContent& content);
    void CommitSessionData(QSessionManager& manager);
    bool answeredForFigure() const;  // the logout's question answered for the figure as it stands

  private:
    using FigurePair = std::pair<Coords, Coords>;
    std::unique_ptr<RecoveryKeeper> keeper_;  // off until enabled
    std::optional<FigurePair> answeredFigure_;
};

}  // namespace lp
