// SPDX-License-Identifier: GPL-3.0-or-later
// The testing pages: grade book, grade editor, test, difficult words.
#include "shell/tform1.h"

#include "shell/navigators.h"
#include "storage/schema.h"
#include "ui_grade_book_page.h"
#include "ui_grade_edit_page.h"
#include "ui_test_page.h"
#include "ui_word_list_page.h"
#include "ui_wrong_answers_page.h"
#include "vocabulary/sound/media_player.h"

#include <QCheckBox>
#include <QKeyEvent>

#include <functional>
#include <utility>

namespace {

namespace gradeField = kadmor::schema::grades::field;

// The final grade stands out, the count and the average are told apart by colour.
void styleGradeGrid(kadmor::DbGrid* grid)
{
    grid->setColumnForeground(gradeField::finalGrade, Qt::red);
    grid->setColumnForeground(gradeField::count, Qt::darkGreen);
    grid->setColumnForeground(gradeField::average, Qt::blue);
    grid->setColumnTitleForeground(gradeField::average, Qt::yellow);
    grid->setColumnAlignment(gradeField::average, Qt::AlignLeft | Qt::AlignVCenter);
    grid->setColumnWidthChars(gradeField::average, 4);
    grid->setColumnAlignment(gradeField::ordinal, Qt::AlignRight | Qt::AlignVCenter);
}

// Larger than the grid's own font, which the window scales to the screen before it is laid out.
void enlargeFinalGrade(kadmor::DbGrid* grid)
{
    QFont finalGrade = grid->font();
    finalGrade.setBold(true);
    finalGrade.setPointSizeF(finalGrade.pointSizeF() * 1.25);
    grid->setColumnFont(gradeField::finalGrade, finalGrade);
}

// Escape in the answer box ends the test; the box keeps every other key.
class EscapeKey : public QObject
{
  public:
    EscapeKey(QWidget* box, std::function<void()> pressed) : QObject(box), m_pressed(std::move(pressed))
    {
        box->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_pressed();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_pressed;
};

} // namespace

void TForm1::setupTesting()
{
    p4hodnoceni = addPage<Ui::GradeBookPage>(p4hodnoceniIndex);
    p5oprznamky = addPage<Ui::GradeEditPage>(p5oprznamkyIndex);
    p6zkouseni = addPage<Ui::TestPage>(p6zkouseniIndex);
    p10chyby = addPage<Ui::WrongAnswersPage>(p10chybyIndex);

    Table2->setCalcFieldsHook([this](kadmor::Table&) { Table2CalcFields(); });
    Ui::GradeBookPage& book = *p4hodnoceni;
    book.DBGrid2->setTable(Table2);
    styleGradeGrid(book.DBGrid2);
    enlargeFinalGrade(book.DBGrid2);
    kadmor::navigators::browse(book.DBNavigator3, Table2);
    handle(book.BitBtn9, &QPushButton::clicked, &TForm1::BitBtn9Click);
    handle(book.BitBtn10, &QPushButton::clicked, &TForm1::BitBtn10Click);
    handle(book.BitBtn11, &QPushButton::clicked, &TForm1::BitBtn11Click);
    handle(book.BitBtn12, &QPushButton::clicked, &TForm1::BitBtn12Click);
    handle(book.Edit15, &QLineEdit::returnPressed, &TForm1::Edit15KeyPress);
    onExit(book.Edit15, &TForm1::Edit15Exit);
    handle(book.BitBtn13, &QPushButton::clicked, &TForm1::BitBtn13Click);
    handle(book.SpeedButton6, &QToolButton::clicked, &TForm1::SpeedButton6Click);
    handle(book.SpeedButton7, &QToolButton::clicked, &TForm1::SpeedButton7Click);
    handle(book.SpeedButton9, &QToolButton::clicked, &TForm1::SpeedButton9Click);
    handle(book.Button4, &QPushButton::clicked, &TForm1::Button4Click);
    handle(book.Edit3, &QLineEdit::returnPressed, &TForm1::Edit3KeyPress);
    onExit(book.Edit3, &TForm1::Edit3Exit);
    handle(book.Button8, &QPushButton::clicked, &TForm1::Button8Click);
    handle(book.Button11, &QPushButton::clicked, &TForm1::Button11Click);

    auto* navigator = p5oprznamky->DBNavigator4;
    navigator->setTable(Table2);
    navigator->setActions({kadmor::DbNavigator::First, kadmor::DbNavigator::Prior, kadmor::DbNavigator::Next,
                           kadmor::DbNavigator::Last, kadmor::DbNavigator::Insert, kadmor::DbNavigator::Delete});
    navigator->setHints({QStringLiteral("první"), QStringLiteral("předcházející"), QStringLiteral("další"),
                         QStringLiteral("poslední")});
    p5oprznamky->DBEdit2->setTable(Table2, gradeField::name);
    const QList<kadmor::DbEdit*> grades = {
        p5oprznamky->DBEdit6,  p5oprznamky->DBEdit7,  p5oprznamky->DBEdit8,  p5oprznamky->DBEdit9,
        p5oprznamky->DBEdit10, p5oprznamky->DBEdit12, p5oprznamky->DBEdit13, p5oprznamky->DBEdit14,
        p5oprznamky->DBEdit15, p5oprznamky->DBEdit17, p5oprznamky->DBEdit18, p5oprznamky->DBEdit19,
        p5oprznamky->DBEdit20, p5oprznamky->DBEdit21, p5oprznamky->DBEdit22, p5oprznamky->DBEdit23,
        p5oprznamky->DBEdit24, p5oprznamky->DBEdit25, p5oprznamky->DBEdit26, p5oprznamky->DBEdit27,
        p5oprznamky->DBEdit28, p5oprznamky->DBEdit29, p5oprznamky->DBEdit30, p5oprznamky->DBEdit31,
        p5oprznamky->DBEdit32, p5oprznamky->DBEdit33, p5oprznamky->DBEdit34, p5oprznamky->DBEdit35,
    };
    for (int slot = 0; slot < grades.size(); ++slot)
        grades[slot]->setTable(Table2, kadmor::schema::grades::slotField(slot));
    p5oprznamky->DBEdit36->setTable(Table2, gradeField::count);
    handle(p5oprznamky->Button3, &QPushButton::clicked, &TForm1::Button3Click);
    handle(p5oprznamky->SpeedButton5, &QToolButton::clicked, &TForm1::SpeedButton5Click);

    Ui::TestPage& test = *p6zkouseni;
    onExit(test.Edit4, &TForm1::Edit4Exit);
    handle(test.Edit4, &QLineEdit::returnPressed, &TForm1::Edit4KeyPress);
    handle(test.Edit8, &QLineEdit::returnPressed, &TForm1::Edit8KeyPress);
    const std::pair<QCheckBox*, void (TForm1::*)()> directionAndMode[] = {
        {test.CheckBox1, &TForm1::CheckBox1Enter},
        {test.CheckBox2, &TForm1::CheckBox2Enter},
        {test.CheckBox3, &TForm1::CheckBox3Enter},
        {test.CheckBox4, &TForm1::CheckBox4Enter},
    };
    for (const auto& [box, handler] : directionAndMode) {
        handle(box, &QCheckBox::clicked, handler);
        onEnter(box, handler);
    }
    handle(test.Button6, &QPushButton::clicked, &TForm1::Button6Click);
    connect(test.Edit6, &QLineEdit::returnPressed, this, [this] { Edit6KeyPress(Qt::Key_Return); });
    new EscapeKey(test.Edit6, [this] { Edit6KeyPress(Qt::Key_Escape); });
    handle(test.MediaPlayer4, &kadmor::MediaPlayer::notified, &TForm1::MediaPlayer4Notify);

    p10chyby->DBGrid5->setTable(Table5);
    kadmor::navigators::full(p10chyby->DBNavigator8, Table5,
                             {QStringLiteral("první záznam"), QStringLiteral("předcházející"), QStringLiteral("další"),
                              QStringLiteral("poslední"), QStringLiteral("přidat"), QStringLiteral("smazat"),
                              QStringLiteral("editovat"), QStringLiteral("poslat"), QStringLiteral("zrušit"),
                              QStringLiteral("obnovit (refreš)")});
    handle(p10chyby->BitBtn23, &QPushButton::clicked, &TForm1::BitBtn23Click);
    handle(p10chyby->BitBtn24, &QPushButton::clicked, &TForm1::BitBtn24Click);

    handle(p2zaktabul->BitBtn8, &QPushButton::clicked, &TForm1::BitBtn8Click);

    connect(this, &TForm1::dataFolderChanged, this, [this] {
        p6zkouseni->CheckBox1->setText(languageName + QStringLiteral("--->česky"));
        p6zkouseni->CheckBox2->setText(QStringLiteral("česky--->") + languageName);
    });
    connect(this, &TForm1::laidOut, this, [this] {
        placeAtRightEdge(p5oprznamky->SpeedButton5);
        enlargeFinalGrade(p4hodnoceni->DBGrid2);
    });
}
