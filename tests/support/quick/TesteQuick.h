// Fixture of the screen tests: a QML engine with the project's modules, QML loaded from text
// (`import Corvane.App` …) into a real window under Xvfb, items found by objectName, time moved
// by hand (the animation driver and the screens' clock together) and screenshots written to the
// build folder. Any QML warning fails the test.
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
    // Centre of an item in window coordinates.
    QPoint centro(QQuickItem *item) const;
    QPoint ponto(QQuickItem *item, double x, double y) const;

    // Types `texto` (ASCII) into the focused item, key by key.
    void digitar(const QString &texto);
    // Moves animations and the clock forward, in frames of at most 16 ms.
    void avancar(int ms);
    // Renders the window and writes it to <build>/capturas/<nome>.png.
    QImage capturar(const QString &nome);
    // The same for another window of the test (one a QML document created as its root).
    static QImage capturarJanela(QQuickWindow *janela, const QString &nome);

    QQmlEngine &engine() { return *engine_; }
    QQuickWindow *janela() { return janela_.get(); }
    QObject *raiz() { return raiz_; }
    // The QML warnings so far, which are then forgotten (for tests about warnings themselves).
    QStringList tomarAvisos();

    static const QString importacoes;

private:
    std::unique_ptr<QQmlEngine> engine_;
    std::unique_ptr<QQuickWindow> janela_;
    QObject *raiz_ = nullptr;
    QList<QQmlError> avisos_;
    QDateTime agora_;
};
