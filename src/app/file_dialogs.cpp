// Qt's file dialogs and message boxes behind the dialog seam.
#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace orvane {

QString QtFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList out;
  for (int k = 0; k + 1 < parts.size(); k += 2)
    out << parts[k] + " (" + QString(parts[k + 1]).replace(';', ' ') + ")";
  return out.join(";;");
}

namespace {

std::optional<TFileChoice> Ask(QWidget* parent, const TFileQuestion& q, bool save) {
  QFileDialog dialog(parent, q.Title, q.Folder, QtFilter(q.Filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save && !q.ConfirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!q.FileName.isEmpty()) dialog.selectFile(q.FileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QStringList filters = QtFilter(q.Filter).split(";;");
  return TFileChoice{dialog.selectedFiles().first(), int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

}  // namespace

TUserDialogs PlatformDialogs(QWidget* parent) {
  TUserDialogs d;
  d.Open = [parent](const TFileQuestion& q) { return Ask(parent, q, false); };
  d.Save = [parent](const TFileQuestion& q) { return Ask(parent, q, true); };
  d.Message = [parent](TMessageKind kind, const QString& text) {
    QMessageBox box(kind == TMessageKind::Warning ? QMessageBox::Warning : QMessageBox::Critical, "ORVANE", text,
                    QMessageBox::Ok, parent);
    box.exec();
  };
  d.AskSave = [parent](const QString& text) {
    QMessageBox box(QMessageBox::Question, "ORVANE", text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
      case QMessageBox::Save: return TSaveAnswer::Save;
      case QMessageBox::Discard: return TSaveAnswer::Discard;
      default: return TSaveAnswer::Cancel;
    }
  };
  return d;
}

}  // namespace orvane
