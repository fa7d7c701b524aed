// A drop-down list whose rows are kept sorted the way a sorted list box
// sorts them (platform/sorted_text.h), whatever order they are added in.
#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace tnq {

class SortedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit SortedComboBox(QWidget* parent = nullptr);

    // Adds a row (one-byte text) at its sorted place after the headings;
    // returns that place.
    int AddItem(const std::string& text);
    // Adds a row after the headings added before it and before every sorted
    // row, whatever it begins with.
    int AddHeading(const std::string& text);
    void Clear();
    // The rows in their order, as one-byte texts.
    const std::vector<std::string>& Rows() const { return rows_; }
    // The selected row, -1 for none.
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int index) { setCurrentIndex(index); }

private:
    int InsertRow(std::size_t at, const std::string& text);

    std::vector<std::string> rows_;
    std::size_t headings_ = 0;
};

} // namespace tnq
