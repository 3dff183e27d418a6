#include "plataforma/RepositorioDeIdentidades.h"

#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"
#include "plataforma/TravaDeArquivo.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <functional>
#include <mutex>
#include <optional>

namespace {

const QString chaveProvedores = QStringLiteral("provedores");
const QString chaveLigado = QStringLiteral("ligado");
const QString chaveIdentidades = QStringLiteral("identidades");
const QString chaveTipo = QStringLiteral("tipo");
const QString chaveDominio = QStringLiteral("dominio");
const QString chaveUsuario = QStringLiteral("usuario");
const QString chaveRotulo = QStringLiteral("rotulo");
const QString chaveIdDoRegistro = QStringLiteral("idDoRegistro");
const QString tipoSenha = QStringLiteral("senha");
const QString tipoCodigo = QStringLiteral("codigo");

QJsonObject doProvedor(const QJsonObject &raiz, const QString &provedor)
{
    return raiz.value(chaveProvedores).toObject().value(provedor).toObject();
}

QJsonObject paraJSON(const IdentidadeDoPreenchimento &identidade)
{
    if (const auto *senha = std::get_if<IdentidadeDeSenha>(&identidade))
        return {{chaveTipo, tipoSenha},
                {chaveDominio, senha->dominio},
                {chaveUsuario, senha->usuario},
                {chaveIdDoRegistro, senha->idDoRegistro}};
    const auto &codigo = std::get<IdentidadeDeCodigo>(identidade);
    return {{chaveTipo, tipoCodigo},
            {chaveDominio, codigo.dominio},
            {chaveRotulo, codigo.rotulo},
            {chaveIdDoRegistro, codigo.idDoRegistro}};
}

std::optional<IdentidadeDoPreenchimento> deJSON(const QJsonValue &valor)
{
    const QJsonObject objeto = valor.toObject();
    const QJsonValue tipo = objeto.value(chaveTipo);
    const QJsonValue dominio = objeto.value(chaveDominio);
    const QJsonValue id = objeto.value(chaveIdDoRegistro);
    if (!dominio.isString() || !id.isString())
        return std::nullopt;
    if (tipo == tipoSenha && objeto.value(chaveUsuario).isString())
        return IdentidadeDeSenha{dominio.toString(), objeto.value(chaveUsuario).toString(), id.toString()};
    if (tipo == tipoCodigo && objeto.value(chaveRotulo).isString())
        return IdentidadeDeCodigo{dominio.toString(), objeto.value(chaveRotulo).toString(), id.toString()};
    return std::nullopt;
}

// One locked read-modify-write of this provider's entry. `mudanca` returns false to leave the
// file as it is (nothing to change).
bool alterarProvedor(const QString &caminho, const QString &provedor,
                     const std::function<bool(QJsonObject &)> &mudanca)
{
    if (!ArquivoAtomico::criarPastaProtegida(QFileInfo(caminho).absolutePath()))
        return false;
    const TravaDeArquivo trava(caminho);
    if (!trava.travada())
        return false;
    auto raiz = ArquivoAtomico::lerObjetoJSON(caminho);
    if (!raiz)
        return false;
    QJsonObject provedores = raiz->value(chaveProvedores).toObject();
    QJsonObject entrada = provedores.value(provedor).toObject();
    if (!mudanca(entrada))
        return true;
    provedores.insert(provedor, entrada);
    raiz->insert(chaveProvedores, provedores);
    return ArquivoAtomico::gravar(caminho, QJsonDocument(*raiz).toJson(QJsonDocument::Compact));
}

std::mutex travaDoAtual;
std::shared_ptr<RepositorioDeIdentidades> &instalado()
{
    static std::shared_ptr<RepositorioDeIdentidades> repositorio;
    return repositorio;
}

} // namespace

std::shared_ptr<RepositorioDeIdentidades> RepositorioDeIdentidades::atual()
{
    const std::lock_guard guarda(travaDoAtual);
    if (!instalado())
        instalado() = std::make_shared<RepositorioDeIdentidadesEmArquivo>();
    return instalado();
}

void RepositorioDeIdentidades::usar(std::shared_ptr<RepositorioDeIdentidades> repositorio)
{
    const std::lock_guard guarda(travaDoAtual);
    instalado() = std::move(repositorio);
}

RepositorioDeIdentidadesEmArquivo::RepositorioDeIdentidadesEmArquivo(QString caminho, QString provedor)
    : caminho_(std::move(caminho)), provedor_(std::move(provedor))
{
}

QString RepositorioDeIdentidadesEmArquivo::caminhoPadrao()
{
    return Conteiner::pastaDeDados() + QStringLiteral("/corvane-anfitriao/identidades.json");
}

bool RepositorioDeIdentidadesEmArquivo::ligado()
{
    // Whole-file atomic replacements: an unlocked read sees one consistent version.
    const auto raiz = ArquivoAtomico::lerObjetoJSON(caminho_);
    return raiz && doProvedor(*raiz, provedor_).value(chaveLigado).toBool(false);
}

bool RepositorioDeIdentidadesEmArquivo::definirLigado(bool ligado)
{
    return alterarProvedor(caminho_, provedor_, [ligado](QJsonObject &entrada) {
        if (entrada.value(chaveLigado) == QJsonValue(ligado))
            return false;
        entrada.insert(chaveLigado, ligado);
        return true;
    });
}

QList<IdentidadeDoPreenchimento> RepositorioDeIdentidadesEmArquivo::identidades()
{
    QList<IdentidadeDoPreenchimento> lista;
    const auto raiz = ArquivoAtomico::lerObjetoJSON(caminho_);
    if (!raiz)
        return lista;
    for (const QJsonValue &valor : doProvedor(*raiz, provedor_).value(chaveIdentidades).toArray()) {
        if (auto identidade = deJSON(valor))
            lista.append(std::move(*identidade));
    }
    return lista;
}

bool RepositorioDeIdentidadesEmArquivo::substituirTodas(const QList<IdentidadeDoPreenchimento> &identidades)
{
    QJsonArray lista;
    for (const auto &identidade : identidades)
        lista.append(paraJSON(identidade));
    return alterarProvedor(caminho_, provedor_, [&lista](QJsonObject &entrada) {
        entrada.insert(chaveIdentidades, lista);
        return true;
    });
}

bool RepositorioDeIdentidadesEmArquivo::adicionar(const IdentidadeDoPreenchimento &identidade)
{
    const QJsonObject nova = paraJSON(identidade);
    bool desligado = false;
    const bool gravou = alterarProvedor(caminho_, provedor_, [&nova, &desligado](QJsonObject &entrada) {
        // Like the system's store, a provider the user switched off takes no new identity.
        desligado = !entrada.value(chaveLigado).toBool(false);
        if (desligado)
            return false;
        QJsonArray lista = entrada.value(chaveIdentidades).toArray();
        if (lista.contains(nova))
            return false;
        lista.append(nova);
        entrada.insert(chaveIdentidades, lista);
        return true;
    });
    return gravou && !desligado;
}

bool RepositorioDeIdentidades::adicionarVarias(const QList<IdentidadeDoPreenchimento> &identidades)
{
    bool todas = true;
    for (const IdentidadeDoPreenchimento &identidade : identidades)
        todas = adicionar(identidade) && todas;
    return todas;
}

bool RepositorioDeIdentidadesEmArquivo::adicionarVarias(const QList<IdentidadeDoPreenchimento> &identidades)
{
    if (identidades.isEmpty())
        return true;
    // Entries compare as whole objects (an entry with keys this version does not know equals no
    // new one); a JSON object's compact text is its canonical form, its keys being sorted.
    const auto texto = [](const QJsonObject &objeto) { return QJsonDocument(objeto).toJson(QJsonDocument::Compact); };
    bool desligado = false;
    const bool gravou = alterarProvedor(caminho_, provedor_, [&](QJsonObject &entrada) {
        desligado = !entrada.value(chaveLigado).toBool(false);
        if (desligado)
            return false;
        QJsonArray lista = entrada.value(chaveIdentidades).toArray();
        QSet<QByteArray> presentes;
        presentes.reserve(lista.size() + identidades.size());
        for (const QJsonValue &valor : std::as_const(lista)) {
            if (valor.isObject())
                presentes.insert(texto(valor.toObject()));
        }
        bool alterou = false;
        for (const IdentidadeDoPreenchimento &identidade : identidades) {
            const QJsonObject nova = paraJSON(identidade);
            const QByteArray chave = texto(nova);
            if (presentes.contains(chave))
                continue;
            presentes.insert(chave);
            lista.append(nova);
            alterou = true;
        }
        if (alterou)
            entrada.insert(chaveIdentidades, lista);
        return alterou;
    });
    return gravou && !desligado;
}

bool RepositorioDeIdentidades::substituirDosRegistros(const IdentidadesPorRegistro &)
{
    return false;
}

bool RepositorioDeIdentidadesEmArquivo::substituirDosRegistros(const IdentidadesPorRegistro &mudancas)
{
    if (mudancas.isEmpty())
        return true;
    // Appended in id order, so the same change always gives the same file.
    QList<QString> registros = mudancas.keys();
    std::sort(registros.begin(), registros.end());
    return alterarProvedor(caminho_, provedor_, [&](QJsonObject &entrada) {
        const QJsonArray atual = entrada.value(chaveIdentidades).toArray();
        QJsonArray lista;
        bool alterou = false;
        for (const QJsonValue &valor : atual) {
            // Entries of other records stay as they are, those this version cannot read included.
            const QJsonValue id = valor.toObject().value(chaveIdDoRegistro);
            if (id.isString() && mudancas.contains(id.toString())) {
                alterou = true;
                continue;
            }
            lista.append(valor);
        }
        for (const QString &registro : std::as_const(registros)) {
            for (const IdentidadeDoPreenchimento &identidade : mudancas.value(registro)) {
                lista.append(paraJSON(identidade));
                alterou = true;
            }
        }
        if (alterou)
            entrada.insert(chaveIdentidades, lista);
        return alterou;
    });
}

bool RepositorioDeIdentidadesEmArquivo::removerTodas()
{
    return alterarProvedor(caminho_, provedor_, [](QJsonObject &entrada) {
        if (!entrada.contains(chaveIdentidades))
            return false;
        entrada.remove(chaveIdentidades);
        return true;
    });
}
