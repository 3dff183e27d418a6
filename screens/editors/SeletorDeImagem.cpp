#include "SeletorDeImagem.h"

#include "PedidoAoPortal.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// The portal's filter: a name and its patterns, each (0 glob, 1 MIME type) and the text.
struct PadraoDoFiltro {
    uint tipo = 1;
    QString texto;
};
struct FiltroDoPortal {
    QString nome;
    QList<PadraoDoFiltro> padroes;
};

QDBusArgument &operator<<(QDBusArgument &argumento, const PadraoDoFiltro &padrao)
{
    argumento.beginStructure();
    argumento << padrao.tipo << padrao.texto;
    argumento.endStructure();
    return argumento;
}

const QDBusArgument &operator>>(const QDBusArgument &argumento, PadraoDoFiltro &padrao)
{
    argumento.beginStructure();
    argumento >> padrao.tipo >> padrao.texto;
    argumento.endStructure();
    return argumento;
}

QDBusArgument &operator<<(QDBusArgument &argumento, const FiltroDoPortal &filtro)
{
    argumento.beginStructure();
    argumento << filtro.nome << filtro.padroes;
    argumento.endStructure();
    return argumento;
}

const QDBusArgument &operator>>(const QDBusArgument &argumento, FiltroDoPortal &filtro)
{
    argumento.beginStructure();
    argumento >> filtro.nome >> filtro.padroes;
    argumento.endStructure();
    return argumento;
}

} // namespace

Q_DECLARE_METATYPE(PadraoDoFiltro)
Q_DECLARE_METATYPE(FiltroDoPortal)

namespace SeletorDeImagem {

namespace {

// The user may take their time in the dialog.
constexpr auto esperaDoUsuario = std::chrono::hours(1);

} // namespace

QString pastaInicial()
{
    const QString imagens = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!imagens.isEmpty() && QFileInfo(imagens).isDir())
        return imagens;
    return QDir::homePath();
}

QStringList tiposDeImagem()
{
    return {QStringLiteral("image/png"),  QStringLiteral("image/jpeg"), QStringLiteral("image/gif"),
            QStringLiteral("image/bmp"),  QStringLiteral("image/webp"), QStringLiteral("image/tiff")};
}

QStringList padroesDeImagem()
{
    return {QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.gif"),
            QStringLiteral("*.bmp"), QStringLiteral("*.webp"), QStringLiteral("*.tif"), QStringLiteral("*.tiff")};
}

QString nomeDoFiltro()
{
    return QStringLiteral("Imagens");
}

QCoro::Task<Escolha> pedirAoPortal(QDBusConnection barramento, QString janelaPai)
{
    qDBusRegisterMetaType<PadraoDoFiltro>();
    qDBusRegisterMetaType<QList<PadraoDoFiltro>>();
    qDBusRegisterMetaType<FiltroDoPortal>();
    qDBusRegisterMetaType<QList<FiltroDoPortal>>();

    FiltroDoPortal imagens{nomeDoFiltro(), {}};
    for (const QString &tipo : tiposDeImagem())
        imagens.padroes.append({1, tipo});
    // The folder goes as bytes ending in a zero, as the portal takes file names.
    QByteArray pasta = QFile::encodeName(pastaInicial());
    pasta.append('\0');
    QVariantMap opcoes;
    opcoes.insert(QStringLiteral("modal"), true);
    opcoes.insert(QStringLiteral("multiple"), false);
    opcoes.insert(QStringLiteral("filters"), QVariant::fromValue(QList<FiltroDoPortal>{imagens}));
    opcoes.insert(QStringLiteral("current_filter"), QVariant::fromValue(imagens));
    opcoes.insert(QStringLiteral("current_folder"), pasta);
    // Arguments are named locals: GCC 12 mishandles braced temporaries inside a co_await.
    QVariantList argumentos;
    argumentos.append(janelaPai);
    argumentos.append(QStringLiteral("Escolha a imagem do QR Code"));
    const std::optional<PedidoAoPortal::Resposta> resposta =
        co_await PedidoAoPortal::pedir(barramento, QStringLiteral("org.freedesktop.portal.FileChooser"),
                                       QStringLiteral("OpenFile"), argumentos, opcoes, esperaDoUsuario);
    Escolha escolha;
    if (!resposta || resposta->codigo == 2)
        co_return escolha;
    const QStringList enderecos = resposta->resultados.value(QStringLiteral("uris")).toStringList();
    escolha.resultado = resposta->codigo == 0 && !enderecos.isEmpty() ? Resultado::escolhido : Resultado::cancelado;
    if (escolha.resultado == Resultado::escolhido)
        escolha.arquivo = QUrl(enderecos.constFirst());
    co_return escolha;
}

} // namespace SeletorDeImagem
