// What a drag carries between the controls of a form; where it may be
// dropped is the boards' tests' business.

#include "Harness.h"

#include "DragLabel.h"
#include "DragPayload.h"
#include "PictureBox.h"

#include <QMimeData>
#include <QTest>

class DragDropTest : public QObject
{
    Q_OBJECT

private slots:
    void aDragCarriesItsKeyIntoItsOwnFormOnly();
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

QTEST_MAIN(DragDropTest)
#include "tst_dragdrop.moc"
