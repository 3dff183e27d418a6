#include "EstadoDoServidor.h"

#include "Recusa.h"
#include "Totp.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QUuid>

#include <algorithm>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcServidor, "app.corvane.servidor")

namespace Servidor {

namespace {

QByteArray bytesAleatorios(int quantidade)
{
    QByteArray bytes(quantidade, '\0');
    for (char &byte : bytes)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return bytes;
}

// Tokens carry a prefix so a request log tells at a glance which kind was sent.
QString novoToken(const char *prefixo)
{
    return QLatin1String(prefixo)
           + QString::fromLatin1(bytesAleatorios(24).toBase64(QByteArray::Base64UrlEncoding
                                                               | QByteArray::OmitTrailingEquals));
}

QJsonObject kdfPadrao()
{
    return {{QStringLiteral("algoritmo"), QStringLiteral("argon2id")},
            {QStringLiteral("iteracoes"), 3},
            {QStringLiteral("memoriaKiB"), 65536},
            {QStringLiteral("paralelismo"), 1}};
}

QJsonObject lerKdf(const QJsonValue &valor)
{
    if (!valor.isObject())
        throw dadosInvalidos(QStringLiteral("kdf"));
    const QJsonObject kdf = valor.toObject();
    (void)dentroDe(QStringLiteral("kdf"), [&] { return texto(kdf, QStringLiteral("algoritmo")); });
    for (const char *chave : {"iteracoes", "memoriaKiB", "paralelismo"}) {
        if (!ehInteiro(kdf.value(QLatin1String(chave))))
            throw dadosInvalidos(QStringLiteral("kdf.") + QLatin1String(chave));
    }
    return kdf;
}

void conferirDispositivo(const QJsonValue &valor)
{
    if (!valor.isObject())
        throw dadosInvalidos(QStringLiteral("dispositivo"));
    dentroDe(QStringLiteral("dispositivo"), [&] {
        (void)texto(valor.toObject(), QStringLiteral("nome"));
        (void)texto(valor.toObject(), QStringLiteral("tipo"));
    });
}

QString lerEmail(const QJsonObject &objeto)
{
    const QString email = texto(objeto, QStringLiteral("email"));
    if (!email.contains(QLatin1Char('@')) || email.trimmed() != email || email.contains(QLatin1Char(' ')))
        throw dadosInvalidos(QStringLiteral("email"));
    return email;
}

Recusa credenciaisInvalidas()
{
    return {401, QStringLiteral("credenciais-invalidas"), {}};
}

Recusa tokenInvalido()
{
    return {401, QStringLiteral("token-invalido"), QStringLiteral("Não foi possível confirmar essa conta. Tente de novo.")};
}

constexpr int validadeDoCodigoEmMinutos = 10;
constexpr int tentativasPorCodigo = 5;
constexpr int esperaDoReenvio = 60;

} // namespace

EstadoDoServidor::EstadoDoServidor() : relogio_([] { return QDateTime::currentDateTimeUtc(); }) {}

const QList<EstadoDoServidor::Rota> &EstadoDoServidor::rotas()
{
    static const QList<Rota> tabela{
        {"POST", "/v1/sessao", false, &EstadoDoServidor::entrar},
        {"DELETE", "/v1/sessao", false, &EstadoDoServidor::sair},
        {"POST", "/v1/sessao/renovar", false, &EstadoDoServidor::renovar},
        {"POST", "/v1/conta/pre-entrada", false, &EstadoDoServidor::preEntrada},
        {"POST", "/v1/conta/codigo-de-email", false, &EstadoDoServidor::pedirCodigoDeEmail},
        {"POST", "/v1/conta/codigo-de-email/conferir", false, &EstadoDoServidor::conferirCodigoDeEmail},
        {"POST", "/v1/conta", false, &EstadoDoServidor::cadastrar},
        {"GET", "/v1/conta", false, &EstadoDoServidor::lerConta},
        {"POST", "/v1/conta/social", false, &EstadoDoServidor::entrarSocial},
        {"GET", "/v1/cofre", false, &EstadoDoServidor::lerCofre},
        {"POST", "/v1/cofre/lote", false, &EstadoDoServidor::guardarLote},
        {"PUT", "/v1/cofre/itens/", true, &EstadoDoServidor::guardarItem},
        {"DELETE", "/v1/cofre/itens/", true, &EstadoDoServidor::removerItem},
    };
    return tabela;
}

Resposta EstadoDoServidor::atender(const Pedido &pedido)
{
    try {
        bool caminhoConhecido = false;
        for (const Rota &rota : rotas()) {
            const QLatin1String caminho(rota.caminho);
            const bool casa = rota.prefixo ? pedido.caminho.startsWith(caminho)
                                                 && pedido.caminho.size() > caminho.size()
                                                 && !pedido.caminho.mid(caminho.size()).contains(QLatin1Char('/'))
                                           : pedido.caminho == caminho;
            if (!casa)
                continue;
            caminhoConhecido = true;
            if (pedido.metodo == QLatin1String(rota.metodo))
                return (this->*rota.manipulador)(pedido);
        }
        if (caminhoConhecido)
            throw Recusa{405, QStringLiteral("metodo-nao-permitido"), QStringLiteral("Método não permitido aqui.")};
        throw Recusa{404, QStringLiteral("rota-inexistente"), QStringLiteral("Endereço desconhecido.")};
    } catch (const Recusa &recusa) {
        return respostaDeErro(recusa);
    }
}

// --- Clock and sessions ---

void EstadoDoServidor::definirRelogio(std::function<QDateTime()> relogio)
{
    relogio_ = std::move(relogio);
}

QDateTime EstadoDoServidor::agora() const
{
    return relogio_().toUTC();
}

void EstadoDoServidor::definirDuracaoDoAcesso(std::chrono::seconds duracao)
{
    duracaoDoAcesso_ = duracao;
}

void EstadoDoServidor::definirDuracaoDaSessao(std::optional<std::chrono::seconds> duracao)
{
    duracaoDaSessao_ = duracao;
}

void EstadoDoServidor::expirarTokensDeAcesso()
{
    const QDateTime passado = agora().addSecs(-1);
    for (Acesso &acesso : acessos_)
        acesso.expiraEm = passado;
}

void EstadoDoServidor::revogarSessoes(const QString &email)
{
    const QString contaId = exigirConta(email).id;
    QStringList ativas;
    for (auto it = sessoes_.cbegin(); it != sessoes_.cend(); ++it) {
        if (it->contaId == contaId && it->ativa)
            ativas.append(it.key());
    }
    for (const QString &sessaoId : ativas)
        encerrar(sessaoId);
}

int EstadoDoServidor::sessoesAtivas(const QString &email) const
{
    const ContaNoServidor *conta = procurarPorEmail(email);
    int total = 0;
    for (const Sessao &sessao : sessoes_)
        total += conta && sessao.contaId == conta->id && sessao.ativa ? 1 : 0;
    return total;
}

QJsonObject EstadoDoServidor::novaSessao(const ContaNoServidor &conta)
{
    const QString sessaoId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString renovacao = novoToken("renovacao-");
    std::optional<QDateTime> terminaEm;
    if (duracaoDaSessao_)
        terminaEm = agora().addSecs(duracaoDaSessao_->count());
    sessoes_.insert(sessaoId, Sessao{conta.id, renovacao, true, terminaEm});
    renovacoes_.insert(renovacao, sessaoId);
    return emitirAcesso(sessaoId);
}

QJsonObject EstadoDoServidor::emitirAcesso(const QString &sessaoId)
{
    const Sessao &sessao = sessoes_[sessaoId];
    const QString acesso = novoToken("acesso-");
    QDateTime expiraEm = agora().addSecs(duracaoDoAcesso_.count());
    if (sessao.terminaEm)
        expiraEm = std::min(expiraEm, *sessao.terminaEm);
    acessos_.insert(acesso, Acesso{sessaoId, expiraEm});
    return {{QStringLiteral("tokenDeAcesso"), acesso},
            {QStringLiteral("expiraEm"), textoDaData(expiraEm)},
            {QStringLiteral("tokenDeRenovacao"), sessao.tokenDeRenovacao},
            {QStringLiteral("conta"), contaEmJson(contas_[sessao.contaId])}};
}

void EstadoDoServidor::encerrar(const QString &sessaoId)
{
    Sessao &sessao = sessoes_[sessaoId];
    sessao.ativa = false;
    renovacoes_.remove(sessao.tokenDeRenovacao);
    renovacoesGastas_.insert(sessao.tokenDeRenovacao, sessaoId);
    for (auto it = acessos_.begin(); it != acessos_.end();)
        it = it->sessaoId == sessaoId ? acessos_.erase(it) : std::next(it);
}

ContaNoServidor &EstadoDoServidor::contaAutenticada(const Pedido &pedido)
{
    static const QByteArray prefixo = "Bearer ";
    if (!pedido.autorizacao.startsWith(prefixo))
        throw naoAutenticado();
    const auto acesso = acessos_.constFind(QString::fromLatin1(pedido.autorizacao.mid(prefixo.size())));
    if (acesso == acessos_.cend() || agora() >= acesso->expiraEm)
        throw naoAutenticado();
    const Sessao &sessao = sessoes_[acesso->sessaoId];
    if (!sessao.ativa || !contas_.contains(sessao.contaId))
        throw naoAutenticado();
    return contas_[sessao.contaId];
}

// --- Accounts ---

ContaNoServidor *EstadoDoServidor::procurarPorEmail(const QString &email)
{
    for (ContaNoServidor &conta : contas_) {
        if (conta.email == email)
            return &conta;
    }
    return nullptr;
}

const ContaNoServidor *EstadoDoServidor::procurarPorEmail(const QString &email) const
{
    return const_cast<EstadoDoServidor *>(this)->procurarPorEmail(email);
}

ContaNoServidor &EstadoDoServidor::exigirConta(const QString &email)
{
    ContaNoServidor *conta = procurarPorEmail(email);
    if (!conta)
        throw std::invalid_argument("the development server has no account for " + email.toStdString());
    return *conta;
}

ContaNoServidor *EstadoDoServidor::procurarPorIdentidade(const Identidade &identidade)
{
    for (ContaNoServidor &conta : contas_) {
        for (const VinculoNoServidor &vinculo : conta.vinculos) {
            if (vinculo.provedor == identidade.provedor && vinculo.email == identidade.email)
                return &conta;
        }
    }
    return procurarPorEmail(identidade.email);
}

QByteArray EstadoDoServidor::hashDe(const ContaNoServidor &conta, const QString &prova) const
{
    return QCryptographicHash::hash(conta.salDasProvas + prova.toUtf8(), QCryptographicHash::Sha256);
}

ContaNoServidor &EstadoDoServidor::novaConta(const NovaConta &dados)
{
    ContaNoServidor conta;
    conta.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    conta.email = dados.email;
    conta.nome = dados.nome;
    conta.sal = dados.sal;
    conta.kdf = dados.kdf.isEmpty() ? kdfPadrao() : dados.kdf;
    conta.chaveDoCofreProtegida = dados.chaveDoCofreProtegida;
    conta.chaveDoCofreRecuperacao = dados.chaveDoCofreRecuperacao;
    conta.salDasProvas = bytesAleatorios(16);
    conta.hashDaProva = hashDe(conta, dados.prova);
    conta.hashDaProvaDeRecuperacao = hashDe(conta, dados.provaDeRecuperacao);
    conta.criadaEm = textoDaData(agora());
    return contas_[conta.id] = conta;
}

QJsonObject EstadoDoServidor::contaEmJson(const ContaNoServidor &conta) const
{
    QJsonArray vinculos;
    for (const VinculoNoServidor &vinculo : conta.vinculos)
        vinculos.append(QJsonObject{{QStringLiteral("provedor"), vinculo.provedor},
                                    {QStringLiteral("email"), vinculo.email}});
    return {{QStringLiteral("id"), conta.id},
            {QStringLiteral("email"), conta.email},
            {QStringLiteral("nome"), conta.nome},
            {QStringLiteral("sal"), conta.sal},
            {QStringLiteral("kdf"), conta.kdf},
            {QStringLiteral("chaveDoCofreProtegida"), conta.chaveDoCofreProtegida},
            {QStringLiteral("autenticadorLigado"), conta.autenticadorLigado},
            {QStringLiteral("temSenha"), conta.temSenha},
            {QStringLiteral("criadaEm"), conta.criadaEm},
            {QStringLiteral("vinculos"), vinculos}};
}

std::optional<QString> EstadoDoServidor::codigoDeEmail(const QString &email) const
{
    const auto it = ultimosCodigos_.constFind(email);
    return it == ultimosCodigos_.cend() ? std::nullopt : std::optional<QString>(*it);
}

void EstadoDoServidor::registrarPasskey(const QString &email, const QByteArray &chaveDoCofre)
{
    passkeys_.insert(email.trimmed().toLower(), chaveDoCofre);
}

std::optional<QByteArray> EstadoDoServidor::chaveDaPasskey(const QString &email) const
{
    const auto chave = passkeys_.constFind(email.trimmed().toLower());
    if (chave == passkeys_.cend() || !procurarPorEmail(email))
        return std::nullopt;
    return *chave;
}

QStringList EstadoDoServidor::emailsComPasskey() const
{
    QStringList emails;
    for (auto i = passkeys_.cbegin(); i != passkeys_.cend(); ++i) {
        if (procurarPorEmail(i.key()))
            emails.append(i.key());
    }
    return emails;
}

QString EstadoDoServidor::cunharTokenDeIdentidade(const QString &provedor, const QString &email, const QString &nonce)
{
    const QString token = novoToken("identidade-");
    tokensDeIdentidade_.insert(token, Identidade{provedor, email, nonce});
    return token;
}

QString EstadoDoServidor::criarConta(const NovaConta &dados)
{
    if (procurarPorEmail(dados.email))
        throw std::invalid_argument("the development server already has an account for " + dados.email.toStdString());
    return novaConta(dados).id;
}

std::optional<ContaNoServidor> EstadoDoServidor::contaPorEmail(const QString &email) const
{
    const ContaNoServidor *conta = procurarPorEmail(email);
    return conta ? std::optional<ContaNoServidor>(*conta) : std::nullopt;
}

bool EstadoDoServidor::conferirProva(const QString &email, const QString &prova) const
{
    const ContaNoServidor *conta = procurarPorEmail(email);
    return conta && hashDe(*conta, prova) == conta->hashDaProva;
}

bool EstadoDoServidor::conferirProvaDeRecuperacao(const QString &email, const QString &prova) const
{
    const ContaNoServidor *conta = procurarPorEmail(email);
    return conta && hashDe(*conta, prova) == conta->hashDaProvaDeRecuperacao;
}

QByteArray EstadoDoServidor::ligarAutenticador(const QString &email)
{
    ContaNoServidor &conta = exigirConta(email);
    conta.segredoDoAutenticador = bytesAleatorios(20);
    conta.autenticadorLigado = true;
    return conta.segredoDoAutenticador;
}

QString EstadoDoServidor::codigoDoAutenticador(const QString &email) const
{
    const ContaNoServidor *conta = procurarPorEmail(email);
    if (!conta || !conta->autenticadorLigado)
        throw std::invalid_argument("no authenticator for " + email.toStdString());
    return codigoTotp(conta->segredoDoAutenticador, agora());
}

QJsonObject EstadoDoServidor::abrirSessao(const QString &email)
{
    return novaSessao(exigirConta(email));
}

// --- Handlers: sign-up, sign-in and sessions ---

Resposta EstadoDoServidor::pedirCodigoDeEmail(const Pedido &pedido)
{
    const QString email = lerEmail(lerObjeto(pedido.corpo));
    if (procurarPorEmail(email))
        throw Recusa{409, QStringLiteral("email-em-uso"), {}};
    const QString codigo = QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
    codigosDeEmail_.insert(email, CodigoPendente{codigo, agora().addSecs(validadeDoCodigoEmMinutos * 60), 0});
    ultimosCodigos_.insert(email, codigo);
    // Stands in for the e-mail: a person trying the server locally reads the code here.
    qCInfo(lcServidor).noquote() << "código de confirmação para" << email << "->" << codigo;
    return respostaJson(200, {{QStringLiteral("reenviarEm"), esperaDoReenvio}});
}

Resposta EstadoDoServidor::conferirCodigoDeEmail(const Pedido &pedido)
{
    const QJsonObject corpo = lerObjeto(pedido.corpo);
    const QString email = lerEmail(corpo);
    const QString codigo = texto(corpo, QStringLiteral("codigo"));
    const auto pendente = codigosDeEmail_.find(email);
    const Recusa vencido{410, QStringLiteral("codigo-vencido"), {}};
    if (pendente == codigosDeEmail_.end())
        throw vencido;
    if (agora() > pendente->validoAte) {
        codigosDeEmail_.erase(pendente);
        throw vencido;
    }
    if (pendente->codigo != codigo) {
        // A code may be guessed only a few times; then a new one must be asked for.
        if (++pendente->tentativas >= tentativasPorCodigo) {
            codigosDeEmail_.erase(pendente);
            throw vencido;
        }
        throw Recusa{400, QStringLiteral("codigo-incorreto"), QStringLiteral("Código incorreto. Confira e tente de novo.")};
    }
    codigosDeEmail_.erase(pendente);
    const QString comprovante = novoToken("comprovante-");
    comprovantes_.insert(comprovante, email);
    return respostaJson(200, {{QStringLiteral("comprovanteDeEmail"), comprovante}});
}

Resposta EstadoDoServidor::cadastrar(const Pedido &pedido)
{
    const QJsonObject corpo = lerObjeto(pedido.corpo);
    const std::optional<QString> tokenSocial = textoOpcional(corpo, QStringLiteral("tokenSocial"));
    const std::optional<QString> comprovante = textoOpcional(corpo, QStringLiteral("comprovanteDeEmail"));
    NovaConta dados;
    dados.nome = texto(corpo, QStringLiteral("nome"));
    dados.sal = texto(corpo, QStringLiteral("sal"));
    dados.kdf = lerKdf(corpo.value(QStringLiteral("kdf")));
    dados.prova = texto(corpo, QStringLiteral("prova"));
    dados.chaveDoCofreProtegida = texto(corpo, QStringLiteral("chaveDoCofreProtegida"));
    dados.chaveDoCofreRecuperacao = texto(corpo, QStringLiteral("chaveDoCofreRecuperacao"));
    dados.provaDeRecuperacao = texto(corpo, QStringLiteral("provaDeRecuperacao"));
    conferirDispositivo(corpo.value(QStringLiteral("dispositivo")));

    QList<VinculoNoServidor> vinculos;
    if (tokenSocial) {
        // A social account takes its e-mail from the identity; a client that also sends one is wrong.
        if (corpo.contains(QStringLiteral("email")))
            throw dadosInvalidos(QStringLiteral("email"));
        if (comprovante)
            throw dadosInvalidos(QStringLiteral("comprovanteDeEmail"));
        const auto identidade = tokensSociais_.constFind(*tokenSocial);
        if (identidade == tokensSociais_.cend())
            throw tokenInvalido();
        if (procurarPorIdentidade(*identidade))
            throw Recusa{409, QStringLiteral("email-em-uso"), {}};
        dados.email = identidade->email;
        vinculos.append(VinculoNoServidor{identidade->provedor, identidade->email});
    } else {
        dados.email = lerEmail(corpo);
        if (procurarPorEmail(dados.email))
            throw Recusa{409, QStringLiteral("email-em-uso"), {}};
        if (!comprovante || comprovantes_.value(*comprovante) != dados.email)
            throw Recusa{403, QStringLiteral("email-nao-confirmado"), {}};
        comprovantes_.remove(*comprovante);
    }
    ContaNoServidor &conta = novaConta(dados);
    conta.vinculos = vinculos;
    return respostaJson(201, novaSessao(conta));
}

Resposta EstadoDoServidor::preEntrada(const Pedido &pedido)
{
    const ContaNoServidor *conta = procurarPorEmail(lerEmail(lerObjeto(pedido.corpo)));
    if (!conta)
        throw credenciaisInvalidas();
    return respostaJson(200, {{QStringLiteral("sal"), conta->sal}, {QStringLiteral("kdf"), conta->kdf}});
}

Resposta EstadoDoServidor::entrarSocial(const Pedido &pedido)
{
    const QJsonObject corpo = lerObjeto(pedido.corpo);
    const QString provedor = texto(corpo, QStringLiteral("provedor"));
    const QString token = texto(corpo, QStringLiteral("tokenDeIdentidade"));
    const std::optional<QString> nonce = textoOpcional(corpo, QStringLiteral("nonce"));
    const auto identidade = tokensDeIdentidade_.constFind(token);
    if (identidade == tokensDeIdentidade_.cend() || identidade->provedor != provedor
        || (!identidade->nonce.isEmpty() && nonce != identidade->nonce))
        throw tokenInvalido();

    const QString tokenSocial = novoToken("social-");
    tokensSociais_.insert(tokenSocial, *identidade);
    QJsonObject resposta{{QStringLiteral("email"), identidade->email}, {QStringLiteral("tokenSocial"), tokenSocial}};
    if (const ContaNoServidor *conta = procurarPorIdentidade(*identidade)) {
        resposta.insert(QStringLiteral("situacao"), QStringLiteral("existente"));
        resposta.insert(QStringLiteral("sal"), conta->sal);
        resposta.insert(QStringLiteral("kdf"), conta->kdf);
    } else {
        resposta.insert(QStringLiteral("situacao"), QStringLiteral("nova"));
    }
    return respostaJson(200, resposta);
}

Resposta EstadoDoServidor::entrar(const Pedido &pedido)
{
    const QJsonObject corpo = lerObjeto(pedido.corpo);
    const std::optional<QString> tokenSocial = textoOpcional(corpo, QStringLiteral("tokenSocial"));
    const QString prova = texto(corpo, QStringLiteral("prova"));
    const std::optional<QString> codigo = textoOpcional(corpo, QStringLiteral("codigoDoAutenticador"));
    conferirDispositivo(corpo.value(QStringLiteral("dispositivo")));

    ContaNoServidor *conta = nullptr;
    std::optional<Identidade> identidade;
    if (tokenSocial) {
        if (corpo.contains(QStringLiteral("email")))
            throw dadosInvalidos(QStringLiteral("email"));
        const auto encontrada = tokensSociais_.constFind(*tokenSocial);
        if (encontrada == tokensSociais_.cend())
            throw tokenInvalido();
        identidade = *encontrada;
        conta = procurarPorIdentidade(*identidade);
    } else {
        conta = procurarPorEmail(lerEmail(corpo));
    }
    if (!conta || hashDe(*conta, prova) != conta->hashDaProva)
        throw credenciaisInvalidas();
    if (conta->autenticadorLigado && (!codigo || !conferirTotp(conta->segredoDoAutenticador, *codigo, agora())))
        throw Recusa{401, QStringLiteral("autenticador-necessario"), {}};
    if (identidade) {
        const bool vinculada = std::any_of(conta->vinculos.cbegin(), conta->vinculos.cend(),
                                           [&](const VinculoNoServidor &v) { return v.provedor == identidade->provedor; });
        if (!vinculada)
            conta->vinculos.append(VinculoNoServidor{identidade->provedor, identidade->email});
    }
    return respostaJson(200, novaSessao(*conta));
}

Resposta EstadoDoServidor::renovar(const Pedido &pedido)
{
    const QString token = texto(lerObjeto(pedido.corpo), QStringLiteral("tokenDeRenovacao"));
    if (renovacoesGastas_.contains(token)) {
        // A rotated token used again means two holders of one session: end it for both.
        const QString sessaoId = renovacoesGastas_.value(token);
        if (sessoes_[sessaoId].ativa)
            encerrar(sessaoId);
        throw Recusa{403, QStringLiteral("sessao-revogada"), QStringLiteral("Esta sessão foi encerrada.")};
    }
    const auto atual = renovacoes_.constFind(token);
    if (atual == renovacoes_.cend())
        throw naoAutenticado();
    const QString sessaoId = *atual;
    if (const Sessao &sessao = sessoes_[sessaoId]; sessao.terminaEm && agora() >= *sessao.terminaEm) {
        // Its lifetime is over: the session ends, as one the server let expire.
        encerrar(sessaoId);
        throw naoAutenticado();
    }
    renovacoes_.erase(atual);
    renovacoesGastas_.insert(token, sessaoId);

    // The old access token stays good until it expires: a request already sent with it must not fail.
    Sessao &sessao = sessoes_[sessaoId];
    sessao.tokenDeRenovacao = novoToken("renovacao-");
    renovacoes_.insert(sessao.tokenDeRenovacao, sessaoId);
    return respostaJson(200, emitirAcesso(sessaoId));
}

Resposta EstadoDoServidor::sair(const Pedido &pedido)
{
    (void)contaAutenticada(pedido);
    static const QByteArray prefixo = "Bearer ";
    const QString token = QString::fromLatin1(pedido.autorizacao.mid(prefixo.size()));
    encerrar(acessos_.value(token).sessaoId);
    return {204, {}, "application/json"};
}

Resposta EstadoDoServidor::lerConta(const Pedido &pedido)
{
    return respostaJson(200, contaEmJson(contaAutenticada(pedido)));
}

} // namespace Servidor
