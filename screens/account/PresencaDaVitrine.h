// Whether the onboarding showcase runs: only while a person can see it. Its loops, clocks and
// animations all follow `ativa`; stopped, the showcase costs nothing and holds its picture.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QtQml/qqmlregistration.h>

namespace vitrine {

// What the rule reads of the signed-out window.
struct Presenca {
    bool larga = false;          // the window is 900 points wide or more
    bool colunaVisivel = false;  // the showcase's column is on screen (not faded out)
    bool temJanela = false;      // the screen is in a window
    QWindow::Visibility visibilidade = QWindow::Hidden;
    bool janelaAtiva = false;    // the window has the focus: no other window over it
    bool janelaExposta = false;  // some of the window can be seen
    bool trabalhando = false;    // the waiting screen covers the panels
};

[[nodiscard]] bool ativa(const Presenca &presenca);

} // namespace vitrine

class PresencaDaVitrine : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool larga MEMBER larga_ WRITE definirLarga NOTIFY entradasMudaram)
    Q_PROPERTY(bool colunaVisivel MEMBER colunaVisivel_ WRITE definirColunaVisivel NOTIFY entradasMudaram)
    Q_PROPERTY(bool trabalhando MEMBER trabalhando_ WRITE definirTrabalhando NOTIFY entradasMudaram)
    // The window the showcase is in (Window.window of the screen); followed for its visibility,
    // focus and exposure.
    Q_PROPERTY(QWindow *janela READ janela WRITE definirJanela NOTIFY janelaMudou)
    Q_PROPERTY(bool ativa READ ativa NOTIFY ativaMudou)

public:
    using QObject::QObject;

    [[nodiscard]] QWindow *janela() const { return janela_; }
    void definirJanela(QWindow *janela);
    void definirLarga(bool larga);
    void definirColunaVisivel(bool visivel);
    void definirTrabalhando(bool trabalhando);
    [[nodiscard]] bool ativa() const { return ativa_; }

signals:
    void entradasMudaram();
    void janelaMudou();
    void ativaMudou();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void reavaliar();

    QPointer<QWindow> janela_;
    bool larga_ = false;
    bool colunaVisivel_ = false;
    bool trabalhando_ = false;
    bool ativa_ = false;
};
