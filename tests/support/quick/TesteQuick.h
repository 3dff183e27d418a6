// Fixture of the screen tests: a QML engine with the project's modules, QML loaded from text
// (`import Corvane.App` …) into a real window under Xvfb, items found by objectName, time moved
// by hand (the animation driver and the screens' clock together) and screenshots written to the
// build folder. Any QML warning fails the test, and so does, in every state a screenshot or the
// end of a test shows, a click that would land on something invisible or leaving.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QQmlError>
#include <QSize>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

// Runs GoogleTest with a GUI application set up for deterministic Qt Quick rendering.
int executarTestesQuick(int argc, char **argv);

class TesteQuick : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the object described by `qml` (a whole document, imports included), outside any window.
    QObject *criar(const QString &qml);
    // Creates the item described by `qml` in a window of `tamanho` filled with `fundo`, and shows it.
    QQuickItem *mostrar(const QString &qml, QSize tamanho, const QString &fundo = QStringLiteral("#f3f6fd"));

    // The object under the shown (or created) root with this objectName; fails the test when absent.
    template <typename T = QObject>
    T *achar(const QString &nome)
    {
        QObject *objeto = acharObjeto(nome);
        return qobject_cast<T *>(objeto);
    }
    QObject *acharObjeto(const QString &nome);
    // Like acharObjeto, for an object that appears once the item views have laid out (a list's
    // row after a model change): lets events run and the views lay out until it is there, for up
    // to `ms`; fails the test when it never appears.
    QObject *esperarObjeto(const QString &nome, int ms = 5000);
    // Centre of an item in window coordinates.
    QPoint centro(QQuickItem *item) const;
    QPoint ponto(QQuickItem *item, double x, double y) const;

    // Types `texto` (ASCII) into the focused item, key by key.
    void digitar(const QString &texto);
    // Moves animations and the clock forward, in frames of at most 16 ms.
    void avancar(int ms);
    // Renders the window and writes it to <build>/capturas/<nome>.png. Checks the window's
    // clicks first (conferirCliques).
    QImage capturar(const QString &nome);
    // Fails the test where a click on any shown window would reach an item that cannot be seen
    // or that is leaving, or where a mouse area acts on a click outside a real control (one Tab
    // reaches and Space presses). Runs on every screenshot and at the end of every test.
    void conferirCliques(const QString &quando);

    // Shows `controle` (the QML of one control named "controle", whose action adds one to the
    // root's `acionado`; `importacoesExtras` are the modules it needs) after a text field, and
    // checks what a hand and a keyboard meet: a click acts without taking the field's focus or
    // showing the ring; Tab gives the control the focus and shows its ring ("anelDeFoco");
    // Space and Return act; it has an accessible name. Writes <captura>.png with the ring.
    // `nome` names the control when it is not "controle".
    void conferirFocoPorTab(const QString &importacoesExtras, const QString &controle, const QString &captura = {},
                            const QString &nome = QStringLiteral("controle"));
    // The same for another window of the test (one a QML document created as its root).
    static QImage capturarJanela(QQuickWindow *janela, const QString &nome);

    QQmlEngine &engine() { return *engine_; }
    QQuickWindow *janela() { return janela_.get(); }
    QObject *raiz() { return raiz_; }
    // The QML warnings so far, which are then forgotten (for tests about warnings themselves).
    QStringList tomarAvisos();

    static const QString importacoes;
    static const QStringList areasPermitidas;

private:
    std::unique_ptr<QQmlEngine> engine_;
    std::unique_ptr<QQuickWindow> janela_;
    QObject *raiz_ = nullptr;
    QList<QQmlError> avisos_;
    QDateTime agora_;
};
