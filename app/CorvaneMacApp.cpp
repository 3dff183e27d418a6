#include "CorvaneMacApp.h"

#include "app/MarcasDaPartida.h"
#include "app/Paleta.h"
#include "plataforma/InfoDoPacote.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMetaMethod>
#include <QPalette>
#include <QQmlComponent>
#include <QQuickStyle>
#include <QSystemTrayIcon>
#include <QUrl>

CorvaneMacApp::CorvaneMacApp(const QStringList &argumentos, QObject *pai)
    : QObject(pai), estado_(argumentos), comandos_(&estado_, &atualizacao_)
{
}

CorvaneMacApp::~CorvaneMacApp()
{
    bandeja_.reset();
    delete ajustes_;
    delete principal_;
    motor_.reset();
}

void CorvaneMacApp::prepararAparencia()
{
    // The windows set their own light palette; the style must be one that honours it.
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // The same light colours for what is not a Qt Quick window (the owner prompt), whatever the
    // desktop's theme hands the application.
    QPalette clara(Paleta::superficie(), Paleta::fundo());
    for (auto papel : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        clara.setColor(papel, Paleta::texto());
    clara.setColor(QPalette::Base, Paleta::superficie());
    clara.setColor(QPalette::Highlight, Paleta::azul());
    clara.setColor(QPalette::HighlightedText, Qt::white);
    clara.setColor(QPalette::PlaceholderText, Paleta::textoApagado());
    QGuiApplication::setPalette(clara);
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
    return janela;
}

bool CorvaneMacApp::mostrar()
{
    principal_ = criarJanela(QStringLiteral("Corvane.Programa"), QStringLiteral("JanelaDoPrograma"),
                             {{QStringLiteral("estado"), QVariant::fromValue(&estado_)},
                              {QStringLiteral("atualizacao"), QVariant::fromValue(&atualizacao_)},
                              {QStringLiteral("preenchimento"), QVariant::fromValue(&preenchimento_)},
                              {QStringLiteral("comandos"), QVariant::fromValue(&comandos_)}});
    if (!principal_)
        return false;
    MarcasDaPartida::marcar("qml");
    // A signal declared in QML: connected through its meta-method.
    const QMetaObject *tipo = principal_->metaObject();
    connect(principal_, tipo->method(tipo->indexOfSignal("ajustesPedidos()")), this,
            metaObject()->method(metaObject()->indexOfSlot("abrirAjustes()")));
    vigia_.instalar(estado_);

    const QIcon icone(QStringLiteral(":/corvane/icone/corvane-64.png"));
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        bandeja_ = std::make_unique<QSystemTrayIcon>(icone);
        bandeja_->setToolTip(QStringLiteral("Corvane"));
        connect(bandeja_.get(), &QSystemTrayIcon::activated, this, &CorvaneMacApp::abrirJanela);
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
    if (!principal_)
        return;
    principal_->show();
    principal_->raise();
    principal_->requestActivate();
}

void CorvaneMacApp::abrirAjustes()
{
    if (!ajustes_)
        ajustes_ = criarJanela(QStringLiteral("Corvane.App"), QStringLiteral("JanelaDeAjustes"),
                               {{QStringLiteral("preenchimento"), QVariant::fromValue(&preenchimento_)}});
    if (!ajustes_)
        return;
    ajustes_->show();
    ajustes_->raise();
    ajustes_->requestActivate();
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
