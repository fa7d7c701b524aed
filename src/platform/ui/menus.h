// A form's menu bar as named items: top menus with their openers (the
// handler that runs when the menu is opened, before it shows), items with
// access keys ("&File"), check marks and enabled and visible states, and
// menu control arrays whose elements are created at run time.
#pragma once

#include "platform/ui/control_array.h"
#include "platform/ui/handler_queue.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <map>
#include <string>

namespace tnq {

class MenuTree {
public:
    MenuTree(QMenuBar* bar, HandlerQueue& queue);

    // A top menu; the opener runs each time it is opened.
    QMenu* AddMenu(const std::string& name, const std::string& caption,
                   std::function<void()> opener = {});
    // An item; its click handler runs once the menu has closed.
    QAction* AddItem(QMenu* menu, const std::string& name, const std::string& caption,
                     std::function<void()> click);
    QAction* AddSeparator(QMenu* menu, const std::string& name);

    // Called by a top menu's opener: the menu being opened does not show
    // (the opener has told the user why).
    void KeepClosed(const std::string& name);

    // An item or a top menu by name (null when there is none).
    QAction* Item(const std::string& name) const;
    QMenu* Menu(const std::string& name) const;

    // Properties of an item or a top menu by name; an unknown name raises
    // error 340.
    void SetEnabled(const std::string& name, bool on);
    bool Enabled(const std::string& name) const;
    void SetVisible(const std::string& name, bool on);
    bool Visible(const std::string& name) const;
    // The check mark changes only by program; choosing the item runs its
    // handler and leaves the mark to it.
    void SetChecked(const std::string& name, bool on);
    bool Checked(const std::string& name) const;
    void SetCaption(const std::string& name, const std::string& caption);
    std::string Caption(const std::string& name) const;

private:
    friend class MenuArray;
    QAction* Need(const std::string& name) const;
    void Connect(QAction* a, std::function<void()> click);

    QMenuBar* bar_;
    HandlerQueue& queue_;
    std::map<std::string, QAction*> items_;
    std::map<std::string, QMenu*> menus_;
};

// A menu control array at the end of a menu: element 0 is a separator made
// at design time; the other elements are created and removed at run time
// and keep their index order in the menu.
class MenuArray {
public:
    // Makes element 0 as a hidden separator at the end of menu.
    MenuArray(MenuTree& tree, QMenu* menu, const std::string& name,
              std::function<void(int index)> click);

    // Creates element index (index ≥ 1) with a caption, shown.
    QAction* Load(int index, const std::string& caption);
    void Unload(int index);
    bool Exists(int index) const { return elements_.Exists(index); }
    QAction* operator()(int index) const { return elements_(index); }
    int UBound() const { return elements_.UBound(); }

private:
    MenuTree& tree_;
    QMenu* menu_;
    std::function<void(int)> click_;
    ControlArray<QAction> elements_;
};

} // namespace tnq
