// The initialization grid on Qt Widgets: a QTableWidget whose row 0 holds
// the column titles and column 0 the track numbers, with a line edit laid
// over the cell being edited. Row 0 and column 0 are hidden and shown in the
// table's headers instead, so that they stay in place while the grid
// scrolls; the corner above the track numbers shows column 0's title.
#include "misc/ui/frm_grid1.h"

#include "platform/cp1252.h"
#include "platform/ui/qt_placement.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStylePainter>
#include <QTableWidget>

namespace tnq {

namespace {

constexpr double kColumnWidth = 1000, kDescriptionWidth = 3000, kListWidth = 3000;
constexpr double kGridTop = 120, kGridLeft = 120, kDesignedGridHeight = 6000;

QString Q(const std::string& text) {
    return QString::fromStdString(Cp1252ToUtf8(text));
}

} // namespace

FrmGrid1::FrmGrid1(QWidget* owner, Context& c) : DialogForm(owner), c_(c) {
    setObjectName("frmGrid1");
    Form& f = Forms();
    Grid1 = f.Control(new QTableWidget(this), "Grid1");
    txtEdit = new QLineEdit(Grid1->viewport());
    txtEdit->setObjectName("txtEdit");
    txtEdit->hide();
    cboGMNames = f.Control(new QComboBox(this), "cboGMNames");
    cboGMNames->setPlaceholderText("  Instrument Look-Up");
    btnUpdate = f.Control(new QPushButton("Initialize File", this), "btnUpdate");
    btnCancel = f.Control(new QPushButton("Cancel", this), "btnCancel");
    for (QPushButton* b : {btnUpdate, btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    for (QHeaderView* h : {Grid1->horizontalHeader(), Grid1->verticalHeader()}) {
        h->setSectionsClickable(false);
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setDefaultAlignment(Qt::AlignCenter);
    }
    corner_ = Grid1->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_) corner_->installEventFilter(this);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the grid; the focus leaving the hidden overlay must not
    // move the current cell either.
    Grid1->setTabKeyNavigation(false);
    Grid1->installEventFilter(this);
    txtEdit->installEventFilter(this);
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [this] { Grid1Edit(32); });
    connect(Grid1, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        // The heading row, track 1 and the track numbers take no entries.
        if (row >= 0 && (row < 2 || col < 1) && Grid1->rowCount() > 2)
            QMetaObject::invokeMethod(
                this, [this, row, col] { MoveTo(std::max(row, 2), std::max(col, 1)); },
                Qt::QueuedConnection);
    });
    f.OnClick(btnUpdate, [this] { btnUpdate_Click(); });
    f.OnClick(btnCancel, [this] { btnCancel_Click(); });
    SetPlacement(c.sys.Screen(), c.s.Resolution);
}

void FrmGrid1::Show(Context& c) {
    State& s = c.s;
    multiple_ = s.MultiplePorts == -1;
    setWindowTitle(Q("Initialize New File " + s.PieceTitle));
    const GridCells empty = EmptyGrid(s, multiple_);
    Grid1->clear();
    Grid1->setColumnCount(GridColumns(multiple_));
    Grid1->setRowCount(s.NumTracks + 1);
    const int description = ColumnOf(GridColumn::Description, multiple_);
    const auto alignment = [description](int col) {
        return col == description ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    };
    for (int r = 0; r <= s.NumTracks; ++r) {
        for (int col = 0; col < Grid1->columnCount(); ++col) {
            auto* item = new QTableWidgetItem(Q(CellText(empty, r, col)));
            item->setTextAlignment(alignment(col));
            if (r < 2 || col == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            Grid1->setItem(r, col, item);
        }
    }
    // The fixed heading row and track column.
    Grid1->setRowHidden(0, true);
    Grid1->setColumnHidden(0, true);
    for (int col = 0; col < Grid1->columnCount(); ++col) {
        auto* heading = new QTableWidgetItem(Grid1->item(0, col)->text());
        heading->setTextAlignment(alignment(col));
        Grid1->setHorizontalHeaderItem(col, heading);
    }
    for (int r = 0; r <= s.NumTracks; ++r)
        Grid1->setVerticalHeaderItem(r, new QTableWidgetItem(Grid1->item(r, 0)->text()));
    Layout();
    if (multiple_ || !centred_) {
        // Centred at its first showing, when its size is first known; the
        // wider grid of several ports at every showing.
        centred_ = true;
        QtPlaceableForm placeable(this, this, {});
        CentreForm(placeable, c.sys.Screen());
    }
    DrumListShown = 0;
    SetList();
    txtEdit->clear();
    txtEdit->hide();
    editRow_ = editCol_ = -1;
    if (s.NumTracks >= 2) Grid1->setCurrentCell(2, 1);
    Grid1->setFocus();
    s.DialogResult.clear();
    ShowModal();
}

void FrmGrid1::Layout() {
    const float tpp = TwipsPerPixel(this);
    const auto px = [tpp](double twips) { return TwipsToPixels(twips, tpp); };
    // The grid is as wide as its columns (the track numbers' in the header)
    // and 200 twips, or as much as its frame and scroll bar need.
    const int bar = Grid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Grid1);
    int gridWidth = std::max(px(200), bar + 2 * Grid1->frameWidth());
    const int description = ColumnOf(GridColumn::Description, multiple_);
    for (int col = 0; col < Grid1->columnCount(); ++col) {
        // A column is as wide as its whole heading.
        int width = px(col == description ? kDescriptionWidth : kColumnWidth);
        if (!Grid1->isColumnHidden(col))
            width = std::max(width, Grid1->horizontalHeader()->sectionSizeHint(col));
        Grid1->setColumnWidth(col, width);
        gridWidth += width;
    }
    const int rows = Grid1->rowCount();
    const int rowHeight = Grid1->verticalHeader()->defaultSectionSize();
    // The headings stand where row 0 and column 0 would.
    Grid1->horizontalHeader()->setFixedHeight(rowHeight);
    Grid1->verticalHeader()->setFixedWidth(px(kColumnWidth));
    int gridHeight = px(kDesignedGridHeight);
    if (rows - 1 < 32) gridHeight = rowHeight * rows + 2 * Grid1->frameWidth();
    Grid1->setGeometry(px(kGridLeft), px(kGridTop), gridWidth, gridHeight);
    const int listLeft = px(kGridLeft) + gridWidth + px(100);
    cboGMNames->setGeometry(listLeft, px(kGridTop), px(kListWidth), px(315));
    const int width = px(kGridLeft) + gridWidth + px(250 + kListWidth);
    const int height = px(kGridTop) + gridHeight + px(1000);
    const int buttonsTop = height - px(900) + px(120);
    btnUpdate->setGeometry(px(kGridLeft), buttonsTop, px(1500), px(435));
    btnCancel->setGeometry(px(kGridLeft + 1800), buttonsTop, px(1335), px(435));
    setFixedSize(width, height);
}

void FrmGrid1::SetList() {
    cboGMNames->clear();
    for (const std::string& row : DrumListShown == -1 ? DrumKitRows() : InstrumentLookupRows())
        cboGMNames->addItem(Q(row));
    cboGMNames->setCurrentIndex(0);
}

std::string FrmGrid1::Cell(int row, int col) const {
    const QTableWidgetItem* item = Grid1->item(row, col);
    return item ? Utf8ToCp1252(item->text().toStdString()) : std::string();
}

void FrmGrid1::SetCell(int row, int col, const std::string& text) {
    if (QTableWidgetItem* item = Grid1->item(row, col)) item->setText(Q(text));
}

GridCells FrmGrid1::Cells() const {
    GridCells cells(static_cast<std::size_t>(Grid1->rowCount()));
    for (int r = 0; r < Grid1->rowCount(); ++r)
        for (int col = 0; col < Grid1->columnCount(); ++col)
            cells[static_cast<std::size_t>(r)].push_back(Cell(r, col));
    return cells;
}

void FrmGrid1::Grid1Edit(int keyAscii) {
    const int row = Grid1->currentRow(), col = Grid1->currentColumn();
    if (row < 2 || col < 1) return;
    editRow_ = row;
    editCol_ = col;
    if (keyAscii >= 0 && keyAscii <= 32)
        txtEdit->setText(Q(Cell(row, col)));
    else
        txtEdit->setText(Q(std::string(1, static_cast<char>(keyAscii))));
    txtEdit->setCursorPosition(static_cast<int>(txtEdit->text().size()));
    txtEdit->setGeometry(Grid1->visualItemRect(Grid1->item(row, col)));
    txtEdit->show();
    txtEdit->setFocus();
}

void FrmGrid1::CommitEdit() {
    if (!txtEdit->isVisible() || editRow_ < 0) return;
    const GridColumn kind = ColumnKind(editCol_, multiple_);
    const std::string typed = Utf8ToCp1252(txtEdit->text().toStdString());
    if (kind == GridColumn::Channel) {
        const int wanted = WantsDrumKits(typed) ? -1 : 0;
        if (wanted != DrumListShown) {
            DrumListShown = wanted;
            SetList();
        }
    }
    std::string kept;
    if (const std::optional<std::string> checked = CheckGridEntry(kind, typed)) {
        kept = *checked;
        if (kind == GridColumn::Port) LastPort = kept;
    } else {
        QApplication::beep();
    }
    SetCell(editRow_, editCol_, kept);
    txtEdit->hide();
    editRow_ = editCol_ = -1;
}

void FrmGrid1::MoveTo(int row, int col) {
    if (row < 0 || row >= Grid1->rowCount() || col < 0 || col >= Grid1->columnCount()) return;
    Grid1->setCurrentCell(row, col);
}

bool FrmGrid1::EditKeyCode(int key) {
    const int row = Grid1->currentRow(), col = Grid1->currentColumn();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitEdit();
        Grid1->setFocus();
        return true;
    case Qt::Key_Escape:
        dropping_ = true;
        txtEdit->hide();
        editRow_ = editCol_ = -1;
        Grid1->setFocus();
        dropping_ = false;
        return true;
    case Qt::Key_Left:
        CommitEdit();
        if (col >= 2) MoveTo(row, col - 1);
        Grid1->setFocus();
        return true;
    case Qt::Key_Up:
        CommitEdit();
        if (row >= 3) MoveTo(row - 1, col);
        Grid1->setFocus();
        return true;
    case Qt::Key_Right:
        CommitEdit();
        if (col < Grid1->columnCount() - 1) MoveTo(row, col + 1);
        Grid1->setFocus();
        return true;
    case Qt::Key_Down: {
        CommitEdit();
        if (row < Grid1->rowCount() - 1) MoveTo(row + 1, col);
        const int port = ColumnOf(GridColumn::Port, multiple_);
        if (multiple_ && col != port && Cell(Grid1->currentRow(), port).empty())
            SetCell(Grid1->currentRow(), port, LastPort);
        Grid1->setFocus();
        return true;
    }
    default: return false;
    }
}

bool FrmGrid1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        // The corner drawn as a heading: column 0's title.
        QStylePainter painter(corner_);
        QStyleOptionHeader option;
        option.initFrom(corner_);
        option.rect = corner_->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.textAlignment = Qt::AlignCenter;
        if (const QTableWidgetItem* title = Grid1->horizontalHeaderItem(0))
            option.text = title->text();
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    if (watched == txtEdit) {
        if (event->type() == QEvent::KeyPress) {
            auto* e = static_cast<QKeyEvent*>(event);
            if (e->modifiers() & ~Qt::KeypadModifier) return false;
            return EditKeyCode(e->key());
        }
        if (event->type() == QEvent::FocusOut && !dropping_) CommitEdit();
        return false;
    }
    if (watched == Grid1) {
        if (event->type() == QEvent::FocusIn) {
            CommitEdit();
        } else if (event->type() == QEvent::KeyPress) {
            auto* e = static_cast<QKeyEvent*>(event);
            const QString text = e->text();
            if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
                Grid1Edit(13);
                return true;
            }
            if (text.size() == 1 && text[0].unicode() > 32 && text[0].unicode() != 127) {
                const std::string bytes = Utf8ToCp1252(text.toStdString());
                if (bytes.size() == 1) {
                    Grid1Edit(static_cast<unsigned char>(bytes[0]));
                    return true;
                }
            }
            // The space and the control keys (Backspace, Esc, ...) edit the
            // cell's text; Tab leaves the grid.
            if (e->key() == Qt::Key_Space) {
                Grid1Edit(32);
                return true;
            }
            if (text.size() == 1 && text[0].unicode() < 32 && e->key() != Qt::Key_Tab &&
                e->key() != Qt::Key_Backtab) {
                Grid1Edit(text[0].unicode());
                return true;
            }
        }
    }
    return DialogForm::eventFilter(watched, event);
}

void FrmGrid1::btnUpdate_Click() {
    // An entry still open reaches its cell.
    CommitEdit();
    if (const std::optional<GridProblem> p =
            FindGridProblem(Cells(), c_.s.NumTracks, multiple_)) {
        c_.msg.MsgBox(p->Message, mb::Exclamation, std::string("Initialize New File"));
        MoveTo(p->Row, p->Col);
        Grid1->setFocus();
        return;
    }
    c_.s.DialogResult = "okay";
    HideAndRedraw();
}

void FrmGrid1::btnCancel_Click() {
    dropping_ = true;
    txtEdit->hide();
    dropping_ = false;
    c_.s.DialogResult = "";
    HideAndRedraw();
}

void FrmGrid1::Form_QueryUnload(int& cancel) {
    // The close box is Cancel; the form stays loaded.
    cancel = 1;
    btnCancel_Click();
}

} // namespace tnq
