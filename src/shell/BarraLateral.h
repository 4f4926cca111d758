#pragma once

#include <QString>
#include <QWidget>

// The side bar: a teal strip with one open group, a caption bar over a body that
// holds the group's buttons.
class TBarraLateral : public QWidget {
    Q_OBJECT

public:
    TBarraLateral(const QString& tituloGrupo, QWidget* pai = nullptr);

    QString tituloGrupo() const { return titulo_; }
    // Where the group's buttons go (below the caption bar).
    QWidget* corpoGrupo() const { return corpo_; }

    static constexpr int kAlturaTitulo = 23;
    static constexpr int kAlturaGrupo = 113;

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    QRect retanguloGrupo() const;

    QString titulo_;
    QWidget* corpo_;
};
