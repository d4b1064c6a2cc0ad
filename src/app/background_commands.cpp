// View ▸ Disp Background and Load Background..., for the modes that show a picture.
#include <QAction>
#include <QMenu>

#include "app/edit_image.h"
#include "app/main_window.h"

namespace orvane {

namespace {

const char* BackgroundTitle(TEditMode mode) {
  switch (mode) {
    case emLathe: return "Load LATHE Background Picture";
    case emExtrude: return "Load EXTRUDE Background Picture";
    case emBend:
    case emBendTorus: return "Load BEND Background Picture";
    case emHoop: return "Load HOOP Background Picture";
    case emClay: return "Load CLAY Background Picture";
    default: return "";
  }
}

}  // namespace

void TMainFrm::BuildBackgroundCommands(QMenu* view) {
  view->addSeparator();
  ViewDispBkground = view->addAction("D&isp Background");
  ViewDispBkground->setObjectName("ViewDispBkground");
  ViewDispBkground->setCheckable(true);
  connect(ViewDispBkground, &QAction::triggered, this, [this] {
    if (CommandsBlocked() || !FHandlers->TakesBackground()) return;
    // Only a loaded picture can be switched on.
    FHandlers->SetShowBackground(!FHandlers->ShowBackground() && FHandlers->HasBackground());
    DrawView();
    UpdateActions();
  });
  ViewLoadBkground = view->addAction("&Load Background...");
  ViewLoadBkground->setObjectName("ViewLoadBkground");
  connect(ViewLoadBkground, &QAction::triggered, this, &TMainFrm::ViewLoadBkgroundExecute);
}

void TMainFrm::ViewLoadBkgroundExecute() {
  if (CommandsBlocked() || !FHandlers->TakesBackground()) return;
  TFileQuestion q = PrepareOpenDialog(QString::fromStdString(FSettings.BkgdFile));
  q.Title = BackgroundTitle(FMode);
  q.Filter = "All File|*.jpg;*.png;*.bmp;*.gif;*.psd";
  const auto choice = FDialogs.Open(q);
  if (!choice) return;
  QString reason;
  if (!FHandlers->LoadBackgroundPicture(choice->Path, &reason)) {
    ShowFileError("load", choice->Path, reason);
    return;
  }
  DrawView();
  FSettings.BkgdFile = choice->Path.toStdString();
  UpdateActions();
}

void TMainFrm::UpdateBackgroundActions() {
  if (!ViewDispBkground) return;
  // Shown where the rules say; offered once the mode can actually hold a picture.
  const bool takes = FHandlers && FMode != emNone && FHandlers->TakesBackground();
  ViewDispBkground->setEnabled(ViewDispBkground->isEnabled() && takes);
  ViewLoadBkground->setEnabled(ViewLoadBkground->isEnabled() && takes);
  ViewDispBkground->setChecked(takes && FHandlers->ShowBackground());
}

}  // namespace orvane
