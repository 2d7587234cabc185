#pragma once

#include <QObject>

namespace temperament {

class QtWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstScreenIsTheLoadedDesign();
    void eachClassificationShowsItsTextPictureAndBoxes_data();
    void eachClassificationShowsItsTextPictureAndBoxes();
    void propertyBoxesRenameAndShowWhatIsMeaningful();
    void choosingTheSameClassificationTwiceRaisesTwoClicks();
    void tabWalksTheShownControlsInDesignOrder();
    void keysToggleBoxesAndMoveTheChoice();
    void aValueSetByTheProgramIsShownWithoutASecondClick();
    void aListBoxShownByTheProgramListsItsItems();
    void closingTheWindowEndsWithStatusZero();
    void aRunTimeErrorIsReportedAndEndsTheProgram();
};

}  // namespace temperament
