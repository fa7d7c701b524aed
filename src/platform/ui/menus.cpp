// Named menus, openers, check marks and menu arrays.
#include "platform/ui/menus.h"

#include "platform/ui/qt_message_boxes.h"

namespace tnq {

MenuTree::MenuTree(QMenuBar* bar, HandlerQueue& queue) : bar_(bar), queue_(queue) {}

QMenu* MenuTree::AddMenu(const std::string& name, const std::string& caption,
                         std::function<void()> opener) {
    QMenu* menu = bar_->addMenu(ToQt(caption));
    menu->setObjectName(QString::fromStdString(name));
    menu->menuAction()->setObjectName(QString::fromStdString(name));
    menu->setSeparatorsCollapsible(false);
    if (opener) {
        HandlerQueue* q = &queue_;
        QObject::connect(menu, &QMenu::aboutToShow, menu,
                         [q, opener = std::move(opener)] { q->Run(opener); });
    }
    items_[name] = menu->menuAction();
    menus_[name] = menu;
    return menu;
}

void MenuTree::Connect(QAction* a, std::function<void()> click) {
    HandlerQueue* q = &queue_;
    QObject::connect(a, &QAction::triggered, a, [q, a, click = std::move(click)](bool) {
        // Choosing an item does not turn its check mark over by itself.
        if (a->isCheckable()) a->setChecked(!a->isChecked());
        if (click) q->Post(click);
    });
}

QAction* MenuTree::AddItem(QMenu* menu, const std::string& name, const std::string& caption,
                           std::function<void()> click) {
    QAction* a = menu->addAction(ToQt(caption));
    a->setObjectName(QString::fromStdString(name));
    Connect(a, std::move(click));
    items_[name] = a;
    return a;
}

QAction* MenuTree::AddSeparator(QMenu* menu, const std::string& name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromStdString(name));
    items_[name] = a;
    return a;
}

void MenuTree::KeepClosed(const std::string& name) {
    QMenu* menu = Menu(name);
    if (!menu) throw VbError(kNoSuchElement, "No menu " + name);
    // The opener runs before the menu shows: it is closed again as soon as
    // it has shown.
    QMetaObject::invokeMethod(menu, &QMenu::close, Qt::QueuedConnection);
}

QAction* MenuTree::Item(const std::string& name) const {
    auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

QMenu* MenuTree::Menu(const std::string& name) const {
    auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

QAction* MenuTree::Need(const std::string& name) const {
    QAction* a = Item(name);
    if (!a) throw VbError(kNoSuchElement, "No menu item " + name);
    return a;
}

void MenuTree::SetEnabled(const std::string& name, bool on) {
    Need(name)->setEnabled(on);
}
bool MenuTree::Enabled(const std::string& name) const {
    return Need(name)->isEnabled();
}
void MenuTree::SetVisible(const std::string& name, bool on) {
    Need(name)->setVisible(on);
}
bool MenuTree::Visible(const std::string& name) const {
    return Need(name)->isVisible();
}
void MenuTree::SetChecked(const std::string& name, bool on) {
    // Only a checked item shows the place of a mark.
    QAction* a = Need(name);
    a->setCheckable(on);
    a->setChecked(on);
}
bool MenuTree::Checked(const std::string& name) const {
    return Need(name)->isChecked();
}
void MenuTree::SetCaption(const std::string& name, const std::string& caption) {
    Need(name)->setText(ToQt(caption));
}
std::string MenuTree::Caption(const std::string& name) const {
    return FromQt(Need(name)->text());
}

MenuArray::MenuArray(MenuTree& tree, QMenu* menu, const std::string& name,
                     std::function<void(int)> click)
    : tree_(tree), menu_(menu), click_(std::move(click)), elements_(name) {
    QAction* sep = menu_->addSeparator();
    sep->setVisible(false);
    elements_.Load(0, sep);
    tree_.items_[ControlArray<QAction>::ElementName(name, 0).toStdString()] = sep;
}

QAction* MenuArray::Load(int index, const std::string& caption) {
    if (index < 1 || elements_.Exists(index)) throw VbError(360, "Object already loaded");
    auto* a = new QAction(ToQt(caption), menu_);
    // Keep the index order: before the first element with a larger index.
    QAction* before = nullptr;
    for (const auto& [i, e] : elements_.Elements())
        if (i > index) {
            before = e;
            break;
        }
    menu_->insertAction(before, a);
    elements_.Load(index, a);
    const std::string key = a->objectName().toStdString();
    tree_.items_[key] = a;
    auto click = click_;
    tree_.Connect(a, [click, index] {
        if (click) click(index);
    });
    return a;
}

void MenuArray::Unload(int index) {
    if (index == 0) throw VbError(kNoSuchElement, "Element 0 is made at design time");
    QAction* a = elements_.Unload(index);
    tree_.items_.erase(a->objectName().toStdString());
    menu_->removeAction(a);
    delete a;
}

} // namespace tnq
