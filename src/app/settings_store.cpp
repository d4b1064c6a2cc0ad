// The settings table stored through QSettings in INI format.
#include "app/settings_store.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include <QSettings>
#include <QStringList>

namespace orvane {

namespace {

QString KeyOf(const TSettingEntry& e) {
  return QString::fromLatin1(e.Section.data(), qsizetype(e.Section.size())) + '/' +
         QString::fromLatin1(e.Name.data(), qsizetype(e.Name.size()));
}

// INI values come back as strings; a value holding commas comes back as a list.
QString TextOf(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',');
  return value.toString();
}

bool ParseInt(const QString& text, int& out) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok, 10);
  if (ok) out = v;
  return ok;
}

bool ParseDouble(const QString& text, double& out) {
  const QByteArray bytes = text.trimmed().toLatin1();
  double v = 0.0;
  const auto [end, ec] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), v);
  if (ec != std::errc() || end != bytes.constData() + bytes.size()) return false;
  out = v;
  return true;
}

QString FormatDouble(double v) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  return QString::fromLatin1(buf, result.ptr - buf);
}

void ReadEntry(QSettings& store, const TSettingEntry& e, TAppSettings& s) {
  const QVariant stored = store.value(KeyOf(e));
  if (!stored.isValid()) return;
  const QString text = TextOf(stored);
  std::visit(
      [&](auto ref) {
        using Ref = decltype(ref);
        if constexpr (std::is_same_v<Ref, TIntRef>) {
          ParseInt(text, ref(s));
        } else if constexpr (std::is_same_v<Ref, TBoolRef>) {
          int v = 0;
          if (ParseInt(text, v)) ref(s) = v != 0;
        } else if constexpr (std::is_same_v<Ref, TDoubleRef>) {
          ParseDouble(text, ref(s));
        } else {
          ref(s) = text.toStdString();
        }
      },
      e.Field);
}

void WriteEntry(QSettings& store, const TSettingEntry& e, TAppSettings& s) {
  std::visit(
      [&](auto ref) {
        using Ref = decltype(ref);
        QString text;
        if constexpr (std::is_same_v<Ref, TIntRef>) text = QString::number(ref(s));
        else if constexpr (std::is_same_v<Ref, TBoolRef>) text = ref(s) ? "1" : "0";
        else if constexpr (std::is_same_v<Ref, TDoubleRef>) text = FormatDouble(ref(s));
        else text = QString::fromStdString(ref(s));
        store.setValue(KeyOf(e), text);
      },
      e.Field);
}

}  // namespace

QString DefaultSettingsPath() {
  const QByteArray env = qgetenv("ORVANE_SETTINGS");
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "PELORIN WORKS", "ORVANE").fileName();
}

void LoadSettings(TAppSettings& settings, const QString& path) {
  QSettings store(path, QSettings::IniFormat);
  for (const TSettingEntry& e : SettingsLoadOrder()) {
    // The last background picture defaults to the last texture just read.
    if (e.Name == "BkgdFile") settings.BkgdFile = settings.TxtrFile;
    ReadEntry(store, e, settings);
  }
  ClampSettings(settings);
}

bool SaveSettings(const TAppSettings& settings, bool maximized, const QString& path, QString* reason) {
  TAppSettings toWrite = settings;
  toWrite.MaximizedWindow = maximized;
  QSettings store(path, QSettings::IniFormat);
  for (const TSettingEntry& e : SettingsSaveOrder()) WriteEntry(store, e, toWrite);
  store.sync();
  if (store.status() == QSettings::NoError) return true;
  if (reason) {
    *reason = store.status() == QSettings::AccessError ? QString("cannot write %1").arg(path)
                                                       : QString("cannot store the settings in %1").arg(path);
  }
  return false;
}

}  // namespace orvane
