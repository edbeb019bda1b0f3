// What a drag carries between the controls of a form; where it may be
// dropped is the boards' tests' business.

#include "Harness.h"

#include "DragLabel.h"
#include "DragPayload.h"
#include "PictureBox.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

class DragDropTest : public QObject
{
    Q_OBJECT

private slots:
    void aDragCarriesItsKeyIntoItsOwnFormOnly();
    void thePressesOfADoubleClickDragBoth();
};

void DragDropTest::aDragCarriesItsKeyIntoItsOwnFormOnly()
{
    QWidget form, otherForm;
    auto *slot = new PictureBox(&form);
    auto *caption = new DragLabel(&form);
    DragPayload::setKey(caption, 7);
    auto *stranger = new DragLabel(&otherForm);
    DragPayload::setKey(stranger, 7);
    auto *keyless = new DragLabel(&form);

    std::unique_ptr<QMimeData> mime(DragPayload::mimeFor(caption));
    QCOMPARE(DragPayload::keyDroppedOn(slot, mime.get()), std::optional<int>(7));
    // the same key dragged from another form is not this form's piece
    std::unique_ptr<QMimeData> foreignForm(DragPayload::mimeFor(stranger));
    QCOMPARE(DragPayload::keyDroppedOn(slot, foreignForm.get()), std::nullopt);
    std::unique_ptr<QMimeData> noKey(DragPayload::mimeFor(keyless));
    QCOMPARE(DragPayload::keyDroppedOn(slot, noKey.get()), std::optional<int>(DragPayload::noKey));

    QMimeData text;
    text.setText("7");
    QCOMPARE(DragPayload::keyDroppedOn(slot, &text), std::nullopt);
    QMimeData garbage;
    garbage.setData(DragPayload::mimeType, "7");
    QCOMPARE(DragPayload::keyDroppedOn(slot, &garbage), std::nullopt);
}

// A pupil who lets go of a piece and presses it again at once makes a
// double click: its second press picks the piece up as the first did.
void DragDropTest::thePressesOfADoubleClickDragBoth()
{
    QWidget form;
    auto *piece = new DragLabel(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (QEvent::Type press : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
        bool dragging = false;
        // The drag runs its own loop until it ends: look there, then end it.
        QTimer::singleShot(0, piece, [&] {
            QDrag *drag = piece->findChild<QDrag *>();
            dragging = drag != nullptr;
            if (drag)
                QDrag::cancel();
        });
        QMouseEvent event(press, QPointF(2, 2), piece->mapToGlobal(QPoint(2, 2)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(piece, &event);
        QTRY_VERIFY2(dragging, press == QEvent::MouseButtonPress ? "a press" : "a double click's second press");
        qDeleteAll(piece->findChildren<QDrag *>());
    }
}

QTEST_MAIN(DragDropTest)
#include "tst_dragdrop.moc"
