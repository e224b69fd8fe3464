#pragma once

#include "stampa/superficiestampa.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <map>
#include <optional>
#include <utility>

class Impaginazione;

// A section heading and where it stands on a page: its text at (5, yTesto), a rule of "_" at yRiga in the
// same size, and the body below it from yCorpo.
struct Intestazione
{
    QString testo;
    double yTesto = 3;
    double yRiga = 3.75;
    double yCorpo = 13;
};

// The page-break step, taken before every line that allows it: it decides whether the line still fits and
// otherwise moves on to a new page. Each report has its own.
class RegolaCambioPagina
{
public:
    virtual ~RegolaCambioPagina() = default;
    virtual void primaDellaRiga(Impaginazione& pagina) = 0;
};

// The report's page-break rule: a line that would come within 5 units of the bottom goes to a new page
// carrying "Pagina N" at its top right, under the current heading printed again.
class CambioPaginaNumerata : public RegolaCambioPagina
{
public:
    void primaDellaRiga(Impaginazione& pagina) override;
    // The next page number and a new page with "Pagina N" at its top right; the report opens its sections so.
    static void paginaSeguente(Impaginazione& pagina);
};

// The text primitives of the printed reports over a SuperficieStampa: headings with their rules, label lines
// with dotted leaders, question lines and note blocks; it keeps the current line, page number and heading.
class Impaginazione
{
public:
    static constexpr double dimensioneCorpo = 10;
    static constexpr double dimensioneIntestazione = 12;
    static constexpr double larghezzaDomanda = 174;
    // Words go on a note line while it is narrower than the first, and it never passes the second.
    static constexpr double sogliaNota = 185;
    static constexpr double massimoNota = 195;
    // A line whose y plus this passes the bottom of the page moves on.
    static constexpr double margineFondo = 5;

    // `regola` may be null: lines then never move to a new page by themselves.
    Impaginazione(SuperficieStampa& superficie, const QString& carattere, double larghezza, double altezza,
                  RegolaCambioPagina* regola);

    SuperficieStampa& superficie() { return m_superficie; }
    double larghezza() const { return m_larghezza; }
    double altezza() const { return m_altezza; }
    double yCorrente() const { return m_yCorrente; }
    void setYCorrente(double y) { m_yCorrente = y; }
    int numeroPagina() const { return m_numeroPagina; }
    void setNumeroPagina(int numero) { m_numeroPagina = numero; }
    const Intestazione& intestazioneCorrente() const { return m_intestazione; }
    // The heading that continuation pages repeat, without printing it.
    void setIntestazioneCorrente(const Intestazione& intestazione) { m_intestazione = intestazione; }
    // The printer failed: nothing more is printed, and the report should stop.
    bool interrotta() const { return m_superficie.inErrore(); }
    bool rigaOltreIlFondo() const;

    // One string at (x, y); not bold unless said.
    void testo(double x, double y, const QString& testo, double dimensione, bool grassetto = false);
    void testoCentrato(double y, const QString& testo, double dimensione);
    // Right-aligned `margine` units from the right edge.
    void testoADestra(double y, const QString& testo, double dimensione, double margine);
    // A rule of "_" at x = 0, lengthened until it is at least as wide as the page.
    void riga(double y, double dimensione);
    double larghezzaTesto(QStringView testo, double dimensione, bool grassetto);

    void nuovaPagina();
    // The heading and its rule; it becomes the current heading, and the body goes on from its yCorpo.
    void intestazione(const Intestazione& intestazione);
    // The page-break step before a line.
    void cambioPagina();

    // A label in bold at x = 0, joined by a dotted leader to the value right-aligned on the right edge; then
    // 2 units of space. Each string of `righeEtichetta` starts a line of its own; a label that does not fit
    // beside its value is wrapped at spaces, and a value wider than three quarters of the page is wrapped
    // onto the lines below.
    void rigaEtichetta(const QStringList& righeEtichetta, const QString& valore, bool conCambioPagina);
    // A question in bold wrapped at spaces in lines of 174 units (a wider word stands alone), the last one
    // completed by a leader and the answer; without an answer the text stands alone. Then 0.7 units.
    void rigaDomanda(const QString& testo, const std::optional<QString>& risposta);
    // The caption in bold at x = 5, then the text from x = 0: each CR LF starts a line, and a paragraph is
    // wrapped at spaces in lines of `soglia` (185 unless said) to 195 units (a word wider than that is cut).
    // Then 0.7 units.
    void bloccoNota(const QString& didascalia, const QString& testo, double soglia = sogliaNota);

private:
    void carattere(double dimensione, bool grassetto);
    double larghezza(QStringView testo) const { return m_superficie.larghezzaTesto(testo); }
    // Smallest count of `c` whose string is at least `obiettivo` wide, in the current font.
    qsizetype ripetizioni(QChar c, double obiettivo);
    // The lines of `testo` in the current font (see the wrapping rules above).
    QList<QStringView> spezza(QStringView testo, double soglia, double massimo, bool taglia);
    QStringList partiValore(const QString& valore);
    // Returns the y the line was printed at.
    double rigaInGrassetto(QStringView riga, bool conCambioPagina);
    void puntini(double y, double larghezzaRiga, const QString& valore);
    // Leader and value after a line `larghezzaRiga` wide printed at `yRiga`; a value that does not fit goes
    // to the lines below.
    void chiudiConValore(double yRiga, double larghezzaRiga, const QStringList& parti, bool conCambioPagina);

    SuperficieStampa& m_superficie;
    QString m_nomeCarattere;
    double m_larghezza;
    double m_altezza;
    RegolaCambioPagina* m_regola;
    double m_yCorrente = 0;
    int m_numeroPagina = 1;
    Intestazione m_intestazione;
    std::optional<std::pair<double, bool>> m_carattere;
    // Advances of single characters of one font, to guess where a line ends; negative: not measured yet.
    struct LarghezzeCaratteri
    {
        std::array<double, 256> latino = filaDi(-1);
        QHash<char16_t, double> altri;
        // Real width over the sum of the advances, as last measured.
        double rapporto = 1;

        static std::array<double, 256> filaDi(double valore)
        {
            std::array<double, 256> fila;
            fila.fill(valore);
            return fila;
        }
        double di(QChar c, const SuperficieStampa& superficie);
    };
    std::map<std::pair<double, bool>, LarghezzeCaratteri> m_larghezzeCaratteri;
};
