// The questions file commands ask the user, behind one seam so tests can answer them.
#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QWidget>

namespace orvane {

// A file chosen in an open or save dialog, with the 1-based index of its filter.
struct TFileChoice {
  QString Path;
  int FilterIndex = 1;
};

// What a file dialog is asked: filters in the "Name|*.a;*.b|Name|*.c" form.
struct TFileQuestion {
  QString Title;
  QString Filter;
  QString Folder;
  QString FileName;
  bool ConfirmOverwrite = true;  // save dialogs only
};

enum class TMessageKind { Warning, Error };
enum class TSaveAnswer { Save, Discard, Cancel };

struct TUserDialogs {
  std::function<std::optional<TFileChoice>(const TFileQuestion&)> Open;
  std::function<std::optional<TFileChoice>(const TFileQuestion&)> Save;
  std::function<void(TMessageKind, const QString& text)> Message;
  // Save, Discard or Cancel before changed work would be replaced.
  std::function<TSaveAnswer(const QString& text)> AskSave;
};

// The platform's dialogs and message boxes, owned by parent.
TUserDialogs PlatformDialogs(QWidget* parent);

// "Name|*.a;*.b|Other|*.c" as Qt filters: "Name (*.a *.b);;Other (*.c)".
QString QtFilter(const QString& filter);

}  // namespace orvane
