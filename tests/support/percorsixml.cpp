#include "support/percorsixml.h"

#include "documento/scrittura.h"

#include <QFile>
#include <QTemporaryDir>
#include <sstream>

namespace {

// Positions count element children only, as in the program.
QList<pugi::xml_node> elementiFigli(const pugi::xml_node& nodo)
{
    QList<pugi::xml_node> figli;
    for (const auto& figlio : nodo.children())
        if (figlio.type() == pugi::node_element)
            figli.append(figlio);
    return figli;
}

pugi::xml_node radice(const pugi::xml_document& documento)
{
    for (auto n = documento.last_child(); n; n = n.previous_sibling())
        if (n.type() == pugi::node_element)
            return n;
    return {};
}

pugi::xml_node figlio(const pugi::xml_node& nodo, int posizione)
{
    const auto figli = elementiFigli(nodo);
    if (posizione < 0)
        posizione += int(figli.size());
    return posizione >= 0 && posizione < figli.size() ? figli.at(posizione) : pugi::xml_node();
}

void raccogliTesto(const pugi::xml_node& nodo, QByteArray& testo)
{
    for (const auto& figlio : nodo.children()) {
        if (figlio.type() == pugi::node_pcdata || figlio.type() == pugi::node_cdata)
            testo += figlio.value();
        else if (figlio.type() == pugi::node_element)
            raccogliTesto(figlio, testo);
    }
}

QString mancante(const QString& percorso)
{
    return QStringLiteral("<%1 mancante>").arg(percorso);
}

constexpr unsigned opzioni = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_declaration;

void raccogliPercorsi(const pugi::xml_node& nodo, const QString& percorso, QStringList& percorsi)
{
    percorsi.append(percorso);
    const auto figli = elementiFigli(nodo);
    for (int i = 0; i < figli.size(); ++i)
        raccogliPercorsi(figli.at(i), percorso + u'/' + QString::number(i), percorsi);
}

} // namespace

FileXml::FileXml(const QByteArray& contenuto) : m_contenuto(contenuto)
{
    m_documento.load_buffer(contenuto.constData(), size_t(contenuto.size()), opzioni);
}

FileXml FileXml::daFile(const QString& percorso)
{
    QFile file(percorso);
    return FileXml(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

FileXml fileScritto(const Questionario& q)
{
    const QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("scritto.xml"));
    scriviFile(q, percorso);
    return FileXml::daFile(percorso);
}

bool salvaContenuto(const QString& percorso, const QByteArray& contenuto)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(contenuto) == contenuto.size();
}

pugi::xml_node FileXml::nodo(const QString& percorso) const
{
    QStringList parti = percorso.split(u'/');
    static const QStringList ancore{QStringLiteral("R"), QStringLiteral("M"), QStringLiteral("G"),
                                    QStringLiteral("C"), QStringLiteral("A")};
    const int ancora = int(ancore.indexOf(parti.takeFirst()));
    if (ancora < 0)
        return {};
    pugi::xml_node n = radice(m_documento);
    if (ancora >= 1)
        n = figlio(figlio(n, 0), 0);
    if (ancora >= 2)
        n = figlio(n, ancora - 2);
    for (const QString& parte : parti) {
        bool numero = false;
        const int posizione = parte.toInt(&numero);
        if (!numero)
            return {};
        n = figlio(n, posizione);
    }
    return n;
}

QString FileXml::valore(const QString& percorso) const
{
    const pugi::xml_node n = nodo(percorso);
    if (!n)
        return mancante(percorso);
    QByteArray testo;
    raccogliTesto(n, testo);
    return QString::fromUtf8(testo);
}

QString FileXml::nome(const QString& percorso) const
{
    const pugi::xml_node n = nodo(percorso);
    return n ? QString::fromUtf8(n.name()) : mancante(percorso);
}

int FileXml::numeroFigli(const QString& percorso) const
{
    return int(elementiFigli(nodo(percorso)).size());
}

QStringList FileXml::nomiFigli(const QString& percorso) const
{
    QStringList nomi;
    for (const auto& f : elementiFigli(nodo(percorso)))
        nomi.append(QString::fromUtf8(f.name()));
    return nomi;
}

QString FileXml::attributo(const QString& percorso) const
{
    const pugi::xml_attribute a = nodo(percorso).first_attribute();
    return a ? QString::fromUtf8(a.value()) : QStringLiteral("<nessun attributo in %1>").arg(percorso);
}

int FileXml::numeroAttributi(const QString& percorso) const
{
    int numero = 0;
    for (auto a = nodo(percorso).first_attribute(); a; a = a.next_attribute())
        ++numero;
    return numero;
}

QByteArray conTesto(const QByteArray& contenuto, const QString& percorso, const QString& testo)
{
    const FileXml file(contenuto);
    pugi::xml_node n = file.nodo(percorso);
    if (!n)
        return {};
    n.text().set(testo.toUtf8().constData());
    std::ostringstream uscita;
    n.root().print(uscita, "", pugi::format_raw);
    return QByteArray::fromStdString(uscita.str());
}

QStringList percorsiElementi(const QByteArray& contenuto)
{
    pugi::xml_document documento;
    QStringList percorsi;
    if (documento.load_buffer(contenuto.constData(), size_t(contenuto.size()), opzioni))
        raccogliPercorsi(radice(documento), QStringLiteral("R"), percorsi);
    return percorsi;
}

QByteArray senzaElemento(const QByteArray& contenuto, const QString& percorso)
{
    pugi::xml_document documento;
    if (!documento.load_buffer(contenuto.constData(), size_t(contenuto.size()), opzioni))
        return {};
    QStringList parti = percorso.split(u'/');
    parti.removeFirst();
    pugi::xml_node n = radice(documento);
    for (const QString& parte : parti)
        n = figlio(n, parte.toInt());
    n.parent().remove_child(n);
    std::ostringstream uscita;
    documento.save(uscita, "", pugi::format_raw);
    return QByteArray::fromStdString(uscita.str());
}
