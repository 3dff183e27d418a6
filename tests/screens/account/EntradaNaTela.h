// What the signed-out window's tests share: the window over a central state in temporary
// folders, with an in-memory keychain, a fake owner check, instant waits and the development
// server; the browser replaced by a recorder whose pages the tests fetch with a plain HTTP
// client, delivering the callback to the application as the scheme handler would.
#pragma once

#include "Formulario.h"
#include "support/quick/TelaComServidor.h"

#include <QUrl>

#include <functional>
#include <memory>

// A page of the site as a browser gets it, redirects not followed.
struct PaginaDoSite {
    int status = 0;
    QByteArray corpo;
    QUrl local; // where a redirect sends the browser
};

class EntradaNaTela : public TelaComServidor {
protected:
    void SetUp() override;
    void soltar() override;

    // The signed-out window in a window of `tamanho`; with `abertura` the opening plays.
    QQuickItem *mostrarEntrada(QSize tamanho = QSize(1040, 680), bool abertura = false);
    // An account on the server whose vault opens with `senha`; gives its vault key.
    QByteArray semearConta(const QString &email, const QString &senha);

    // Runs the event loop (real network, stepped animations) until `condicao` holds; unlike the
    // base's wait, it moves the animations as it goes.
    bool esperarAte(const std::function<bool()> &condicao, int limiteMs = 30000);
    // Lets transitions finish and releases what they removed.
    void assentar(int ms = 800);
    void clicar(const QString &nome);
    // Replaces the text of a CampoNoMac (found by objectName) as typing would.
    void preencher(const QString &campo, const QString &texto);
    [[nodiscard]] QObject *telaAtual();
    // Whether an object with this objectName is still in the window (without failing when not).
    [[nodiscard]] bool existe(const QString &nome);
    [[nodiscard]] QString chave();

    // GET of a site address (the page the application opened, or a link on it).
    PaginaDoSite obter(const QUrl &endereco);
    // The first link or form target on the page that contains `trecho`, resolved against it.
    static QUrl link(const PaginaDoSite &pagina, const QUrl &endereco, const QString &trecho);
    // The callback of the last page opened, driven as a person would: the form continued with
    // `email` (provider pages) or the account's passkey chosen.
    QUrl retornoDaPagina(const QString &email);

    QList<QUrl> abertos; // pages the application opened in the browser
};
