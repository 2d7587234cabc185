#pragma once

#include <QObject>

namespace temperament {

class QtSoakTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void manyRandomClicksKeepTheWindowInStepWithoutGrowing();
};

}  // namespace temperament
