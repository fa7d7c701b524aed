// A control array: controls of one name told apart by an index, such as the
// track rows lblTrkNum(0..95). Each element's objectName is the name
// followed by its index in brackets, "lblTrkNum(3)".
#pragma once

#include "platform/vb.h"

#include <QString>
#include <QWidget>

#include <map>
#include <string>

namespace tnq {

// Error of an element that does not exist.
inline constexpr int kNoSuchElement = 340;

template <class W> class ControlArray {
public:
    explicit ControlArray(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    static QString ElementName(const std::string& name, int index) {
        return QString::fromStdString(name) + QLatin1Char('(') + QString::number(index) +
               QLatin1Char(')');
    }

    // Adds the element at index, naming it.
    W* Load(int index, W* w) {
        w->setObjectName(ElementName(name_, index));
        elements_[index] = w;
        return w;
    }
    // Forgets the element (the caller deletes or hides the control).
    W* Unload(int index) {
        auto it = elements_.find(index);
        if (it == elements_.end())
            throw VbError(kNoSuchElement, "Control array element does not exist");
        W* w = it->second;
        elements_.erase(it);
        return w;
    }

    bool Exists(int index) const { return elements_.count(index) != 0; }
    W* operator()(int index) const {
        auto it = elements_.find(index);
        if (it == elements_.end())
            throw VbError(kNoSuchElement, "Control array element does not exist");
        return it->second;
    }
    int UBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
    const std::map<int, W*>& Elements() const { return elements_; }

private:
    std::string name_;
    std::map<int, W*> elements_;
};

} // namespace tnq
