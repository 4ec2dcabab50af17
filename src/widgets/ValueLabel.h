#pragma once

#include <QLabel>
#include <functional>

// A label that shows a value beside a caption of its own, such as the passion beside "Passion :". The caption is a
// separate label on screen, so a screen reader that read this one alone would hear a bare "Envie" or, worse,
// nothing; it hears "Passion : Envie", taken from the text at the moment it asks.
class ValueLabel : public QLabel
{
    Q_OBJECT
public:
    ValueLabel(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    // More that the value stands for without showing it, read after it (the wings carried with the type).
    void setSpokenDetail(std::function<QString()> detail);
    // "Passion : Envie"; an empty value reads "Passion : vide", so that it is not taken for the caption.
    QString spokenText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    std::function<QString()> m_detail;
};
