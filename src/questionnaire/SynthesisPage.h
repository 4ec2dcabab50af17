#pragma once

#include "questionnaire/Scoring.h"

#include <QWidget>

class ProfileChart;
class QGroupBox;
class QLabel;
class QPushButton;

// The "Synthèse" page: the questionnaire's button, the type found, the bar chart of the nine scores and how clear
// the result is.
class SynthesisPage : public QWidget
{
    Q_OBJECT
public:
    explicit SynthesisPage(QWidget* parent = nullptr);

    // No type, no profile, nothing to interpret.
    void clear();
    // The clarity line is empty when there is no profile to judge.
    void showResult(int type, const Scores& scores, const QString& clarity);
    // The type as the page shows it; the synthesis is written from this text.
    QString typeText() const;

    QPushButton* questionnaireButton() const { return m_questionnaire; }

signals:
    void questionnaireRequested();
    void interpretRequested();

private:
    QLabel* m_type;
    QPushButton* m_questionnaire;
    QPushButton* m_interpret;
    QGroupBox* m_profileFrame;
    ProfileChart* m_chart;
    QLabel* m_clarity;
};
