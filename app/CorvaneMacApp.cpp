#include "CorvaneMacApp.h"

#include "app/MarcasDaPartida.h"
#include "plataforma/InfoDoPacote.h"
#include "state/EntradaPeloSafari.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMetaMethod>
#include <QQmlComponent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QUrl>

#include <algorithm>

CorvaneMacApp::CorvaneMacApp(const QStringList &argumentos, QObject *pai)
    : QObject(pai), estado_(argumentos), comandos_(&estado_, &atualizacao_)
{
    // Signed out, the extension has nothing to fill: the AutoFill section says so.
    const auto seguirConta = [this] { preenchimento_.definirComConta(estado_.fase() != EstadoDoApp::Fase::semConta); };
    seguirConta();
    connect(&estado_, &EstadoDoApp::faseMudou, this, seguirConta);
}

CorvaneMacApp::~CorvaneMacApp()
{
    bandeja_.reset();
    menuDaBandeja_.reset();
    delete painel_;
    delete ajustes_;
    delete principal_;
    motor_.reset();
}

QQuickWindow *CorvaneMacApp::criarJanela(const QString &modulo, const QString &tipo,
                                         const QVariantMap &propriedades)
{
    if (!motor_) {
        motor_ = std::make_unique<QQmlEngine>();
        motor_->addImportPath(QStringLiteral("qrc:/"));
        MarcasDaPartida::marcar("motor");
    }
    QQmlComponent componente(motor_.get());
    componente.setData(QStringLiteral("import %1\n%2 {}\n").arg(modulo, tipo).toUtf8(), QUrl());
    QObject *objeto = componente.createWithInitialProperties(propriedades);
    auto *janela = qobject_cast<QQuickWindow *>(objeto);
    if (!janela) {
        qWarning().noquote() << componente.errorString();
        delete objeto;
        return nullptr;
    }
    aceitarTamanhoDoCompositor(janela);
    return janela;
}

void CorvaneMacApp::aceitarTamanhoDoCompositor(QWindow *janela, const QString &plataforma)
{
    // Qt's Wayland platform never takes a size under the window's minimum, so a tiling
    // compositor that gives less would crop the window's right and bottom. There the layout
    // draws into the size given instead, as it does under X11, where the minimum is only a
    // hint. A fixed-size window (minimum equal to maximum) keeps its size: it floats.
    if (plataforma != QLatin1String("wayland") || janela->minimumSize() == janela->maximumSize())
        return;
    janela->setMinimumSize(QSize());
}

void CorvaneMacApp::usarJanelas(std::optional<TipoDeJanela> painel, TipoDeJanela ajustes)
{
    tipoDoPainel_ = std::move(painel);
    tipoDosAjustes_ = std::move(ajustes);
}

void CorvaneMacApp::ligar(QQuickWindow *janela, const char *sinal, const char *slot)
{
    // A signal declared in QML: connected through its meta-method, when the type has it.
    const QMetaObject *tipo = janela->metaObject();
    const int indice = tipo->indexOfSignal(sinal);
    if (indice < 0)
        return;
    connect(janela, tipo->method(indice), this, metaObject()->method(metaObject()->indexOfSlot(slot)));
}

bool CorvaneMacApp::criarPrincipal()
{
    principal_ = criarJanela(QStringLiteral("Corvane.Programa"), QStringLiteral("JanelaDoPrograma"),
                             {{QStringLiteral("estado"), QVariant::fromValue(&estado_)},
                              {QStringLiteral("atualizacao"), QVariant::fromValue(&atualizacao_)},
                              {QStringLiteral("preenchimento"), QVariant::fromValue(&preenchimento_)},
                              {QStringLiteral("comandos"), QVariant::fromValue(&comandos_)}});
    if (!principal_)
        return false;
    ligar(principal_, "ajustesPedidos()", "abrirAjustes()");
    ligar(principal_, "sairPedido()", "sair()");
    return true;
}

bool CorvaneMacApp::mostrar()
{
    if (!criarPrincipal())
        return false;
    MarcasDaPartida::marcar("qml");
    vigia_.instalar(estado_);

    // The tray's menu, built even without a tray so its actions are the same everywhere.
    menuDaBandeja_ = std::make_unique<QMenu>();
    connect(menuDaBandeja_->addAction(QStringLiteral("Abrir o Corvane")), &QAction::triggered, this,
            &CorvaneMacApp::abrirJanela);
    QAction *acaoDeBloquear = menuDaBandeja_->addAction(ComandosDoMenu::textoBloquear());
    connect(acaoDeBloquear, &QAction::triggered, this, &CorvaneMacApp::bloquear);
    // The same rule as the window's command: only while the vault is open.
    acaoDeBloquear->setEnabled(comandos_.bloquearHabilitado());
    connect(&comandos_, &ComandosDoMenu::habilitacaoMudou, acaoDeBloquear,
            [this, acaoDeBloquear] { acaoDeBloquear->setEnabled(comandos_.bloquearHabilitado()); });
    menuDaBandeja_->addSeparator();
    connect(menuDaBandeja_->addAction(QStringLiteral("Sair")), &QAction::triggered, this, &CorvaneMacApp::sair);

    const QIcon icone(QStringLiteral(":/corvane/icone/corvane-64.png"));
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        bandeja_ = std::make_unique<QSystemTrayIcon>(icone);
        bandeja_->setToolTip(QStringLiteral("Corvane"));
        bandeja_->setContextMenu(menuDaBandeja_.get());
        connect(bandeja_.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason motivo) { aoAtivarBandeja(int(motivo)); });
        bandeja_->show();
        // Closing the window keeps the application in the tray, from where it opens again.
        QGuiApplication::setQuitOnLastWindowClosed(false);
    } else {
        // Nothing could bring a hidden process back: it ends with its last window.
        QGuiApplication::setQuitOnLastWindowClosed(true);
    }
    principal_->show();
    return true;
}

void CorvaneMacApp::abrirJanela()
{
    // A main window that is gone (not merely closed) is built again.
    if (!principal_ && !criarPrincipal())
        return;
    // A minimized window is restored too: show() alone leaves it minimized.
    principal_->setWindowStates(principal_->windowStates() & ~Qt::WindowMinimized);
    principal_->show();
    principal_->raise();
    principal_->requestActivate();
}

void CorvaneMacApp::receberEndereco(const QUrl &endereco)
{
    (void)EntradaPeloSafari::compartilhada().receber(endereco);
    // Qt activates through the platform's own means: _NET_ACTIVE_WINDOW on X11, the
    // xdg-activation protocol on Wayland where the compositor offers it.
    abrirJanela();
}

void CorvaneMacApp::aoAtivarBandeja(int motivo)
{
    // The context menu shows itself; a click (or a middle click) opens the panel.
    switch (QSystemTrayIcon::ActivationReason(motivo)) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::MiddleClick:
        if (tipoDoPainel_)
            abrirPainel();
        else
            abrirJanela();
        break;
    case QSystemTrayIcon::Context:
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void CorvaneMacApp::bloquear() { estado_.bloquear(); }

void CorvaneMacApp::sair() { QCoreApplication::quit(); }

void CorvaneMacApp::abrirAjustes()
{
    if (!ajustes_) {
        ajustes_ = criarJanela(tipoDosAjustes_.modulo, tipoDosAjustes_.tipo,
                               {{QStringLiteral("estado"), QVariant::fromValue(&estado_)},
                                {QStringLiteral("atualizacao"), QVariant::fromValue(&atualizacao_)},
                                {QStringLiteral("preenchimento"), QVariant::fromValue(&preenchimento_)}});
        if (ajustes_) {
            ligar(ajustes_, "painelPedido()", "abrirPainel()");
            // Without a tray (and with a panel to show) the settings offer the panel.
            if (ajustes_->metaObject()->indexOfProperty("semBandeja") >= 0)
                ajustes_->setProperty("semBandeja", !bandeja_ && tipoDoPainel_.has_value());
        }
    }
    if (!ajustes_)
        return;
    // Each time it appears, over the main window and inside its screen's work area.
    if (!ajustes_->isVisible() && principal_ && principal_->isVisible()) {
        const QScreen *tela = principal_->screen();
        const QRect sobre = principal_->frameGeometry();
        const QMargins moldura = ajustes_->frameMargins();
        const QSize tamanho = ajustes_->size().grownBy(moldura);
        const QPoint canto = posicaoCentrada(sobre, tamanho, tela ? tela->availableGeometry() : QRect());
        ajustes_->setPosition(canto + QPoint(moldura.left(), moldura.top()));
    }
    ajustes_->show();
    ajustes_->raise();
    ajustes_->requestActivate();
}

void CorvaneMacApp::abrirPainel()
{
    if (!tipoDoPainel_)
        return;
    if (!painel_) {
        painel_ = criarJanela(tipoDoPainel_->modulo, tipoDoPainel_->tipo,
                              {{QStringLiteral("estado"), QVariant::fromValue(&estado_)},
                               {QStringLiteral("atualizacao"), QVariant::fromValue(&atualizacao_)}});
        if (!painel_)
            return;
        // A transient of the main window with a fixed size: compositors float it rather than
        // tiling it like a main window.
        painel_->setTransientParent(principal_);
        ligar(painel_, "abrirJanelaPedida()", "abrirJanela()");
        ligar(painel_, "ajustesPedidos()", "abrirAjustes()");
        ligar(painel_, "sairPedido()", "sair()");
        // A panel that grows or shrinks (a search narrowing the list, a banner) is placed
        // again, its edge next to the tray icon kept where it was.
        connect(painel_, &QWindow::heightChanged, this, [this] {
            if (painel_ && painel_->isVisible())
                posicionarPainel();
        });
    }
    const QPoint cursor = QCursor::pos();
    const QRect icone = bandeja_ ? bandeja_->geometry() : QRect();
    QScreen *tela = QGuiApplication::screenAt(icone.isValid() ? icone.center() : cursor);
    if (!tela)
        tela = QGuiApplication::primaryScreen();
    ancoraDoPainel_ = {icone, cursor, tela ? tela->availableGeometry() : QRect()};
    posicionarPainel();
    painel_->show();
    painel_->raise();
    painel_->requestActivate();
}

void CorvaneMacApp::posicionarPainel()
{
    const AncoraDoPainel &ancora = ancoraDoPainel_;
    painel_->setPosition(posicaoDoPainel(ancora.icone, painel_->size(), ancora.area, ancora.cursor));
}

QPoint CorvaneMacApp::posicaoDoPainel(const QRect &icone, QSize tamanho, const QRect &tela, const QPoint &cursor)
{
    const bool temIcone = icone.isValid() && !icone.isEmpty();
    // The middle of the icon (QRect::center rounds down by one for even sizes).
    const QPoint ancora = temIcone ? QPoint(icone.x() + icone.width() / 2, icone.y() + icone.height() / 2) : cursor;
    const bool embaixo = tela.isValid() && ancora.y() > tela.center().y();
    int x = ancora.x() - tamanho.width() / 2;
    int y;
    if (temIcone)
        y = embaixo ? icone.top() - tamanho.height() : icone.bottom() + 1;
    else
        y = embaixo ? cursor.y() - tamanho.height() : cursor.y() + 1;
    if (tela.isValid()) {
        x = std::clamp(x, tela.left(), std::max(tela.left(), tela.right() + 1 - tamanho.width()));
        y = std::clamp(y, tela.top(), std::max(tela.top(), tela.bottom() + 1 - tamanho.height()));
    }
    return {x, y};
}

QPoint CorvaneMacApp::posicaoCentrada(const QRect &sobre, QSize tamanho, const QRect &tela)
{
    int x = sobre.x() + (sobre.width() - tamanho.width()) / 2;
    int y = sobre.y() + (sobre.height() - tamanho.height()) / 2;
    if (tela.isValid()) {
        x = std::clamp(x, tela.left(), std::max(tela.left(), tela.right() + 1 - tamanho.width()));
        y = std::clamp(y, tela.top(), std::max(tela.top(), tela.bottom() + 1 - tamanho.height()));
    }
    return {x, y};
}

CorvaneMacApp::Servidor CorvaneMacApp::lerServidor(QStringList &argumentos)
{
    Servidor resultado;
    for (qsizetype i = 0; i < argumentos.size(); ++i) {
        QString valor;
        const QString &argumento = argumentos.at(i);
        qsizetype quantos = 0;
        if (argumento == QLatin1String("--servidor")) {
            if (i + 1 >= argumentos.size())
                return {std::nullopt, QStringLiteral("--servidor precisa de um endereço")};
            valor = argumentos.at(i + 1);
            quantos = 2;
        } else if (argumento.startsWith(QLatin1String("--servidor="))) {
            valor = argumento.mid(qsizetype(sizeof("--servidor=") - 1));
            quantos = 1;
        } else {
            continue;
        }
        const QUrl url(valor, QUrl::StrictMode);
        const QString esquema = url.scheme();
        if (!url.isValid() || (esquema != QLatin1String("http") && esquema != QLatin1String("https")) ||
            url.host().isEmpty() || url.hasQuery() || url.hasFragment() || !url.userInfo().isEmpty())
            return {std::nullopt, QStringLiteral("--servidor: endereço inválido: %1").arg(valor)};
        argumentos.remove(i, quantos);
        QUrl base = url;
        if (base.path() == QLatin1String("/"))
            base.setPath(QString());
        resultado.base = base.toString(QUrl::StripTrailingSlash);
        --i;
    }
    return resultado;
}

void CorvaneMacApp::usarServidor(const QString &base)
{
    QVariantMap dicionario = InfoDoPacote::dicionario();
    dicionario.insert(QStringLiteral("URLDaAPI"), base);
    dicionario.insert(QStringLiteral("URLDoSite"), base);
    InfoDoPacote::substituir(dicionario);
}
