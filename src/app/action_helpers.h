// Building the menus' actions: caption with access key, object name, shortcut and tag.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace orvane {

// Adds an action to the menu; its shortcut works anywhere in the main window.
inline QAction* AddAction(QMenu* menu, const QString& caption, const QString& name, const QKeySequence& key = {},
                          int tag = 0) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  a->setData(tag);
  if (!key.isEmpty()) {
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
  }
  return a;
}

// A submenu whose menu action carries the name the update rules know it by.
inline QMenu* AddSubmenu(QMenu* parent, const QString& caption, const QString& name) {
  QMenu* menu = parent->addMenu(caption);
  menu->setObjectName(name + "Menu");
  menu->menuAction()->setObjectName(name);
  return menu;
}

}  // namespace orvane
