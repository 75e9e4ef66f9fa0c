#include "reports/DemoFacts.h"

namespace DemoFacts {

namespace {
QString s(const char *text) { return QString::fromUtf8(text); }
QStringList l(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *t : texts)
        list << QString::fromUtf8(t);
    return list;
}
} // namespace

const Organisation &organisation()
{
    static const Organisation o{s("Primăria Comunei Valea Lungă"), s("Str. Principală nr. 112, Valea Lungă"),
                                s("Dâmbovița"), s("4279856"), s("-"),
                                s("Trezoreria Operativă Târgoviște"), s("RO56TREZ2715006XXX000148")};
    return o;
}

const std::vector<Unit> &units()
{
    static const std::vector<Unit> u{
        {s("AP"), s("Aparatul de specialitate"), 30},
        {s("SCG"), s("Școala Gimnazială Valea Lungă"), 25},
        {s("CC"), s("Căminul Cultural"), 10},
        {s("GOS"), s("Serviciul Gospodărie Comunală"), 20},
        {s("SVSU"), s("Serviciul Voluntar Urgențe"), 8},
        {s("DISP"), s("Dispensarul Uman"), 7},
    };
    return u;
}

const std::vector<Budget> &budgets()
{
    static const std::vector<Budget> b{
        {s("LOC"), s("Buget local"), 55},
        {s("STA"), s("Buget de stat - transferuri"), 20},
        {s("EXT"), s("Fonduri externe nerambursabile"), 15},
        {s("VP"), s("Venituri proprii"), 10},
    };
    return b;
}

const std::vector<Supplier> &suppliers()
{
    static const std::vector<Supplier> f{
        {s("F001"), s("Construct Dâmbovița SRL"), s("Str. Gării 14, Târgoviște"), s("BCR"),
         s("RO49RNCB0117000123450001"), s("RO14522871"), s("J15/233/2001"), s("0245210311"),
         l({"1.3", "1.5", "1.6", "1.7", "1.8"})},
        {s("F002"), s("Drumuri Județene Prahova SA"), s("Bd. Republicii 88, Ploiești"), s("BRD"),
         s("RO71BRDE300SV01234567800"), s("RO1346790"), s("J29/1022/1991"), s("0244515200"),
         l({"1.3", "2.1"})},
        {s("F003"), s("Info Sistem Consult SRL"), s("Calea Domnească 50, Târgoviște"), s("ING"),
         s("RO22INGB0000999901234567"), s("RO18833024"), s("J15/578/2006"), s("0245617708"),
         l({"2.2", "3.2", "3.3"})},
        {s("F004"), s("Auto Service Muntenia SRL"), s("Șos. Găești 3, Târgoviște"), s("BT"),
         s("RO35BTRLRONCRT0123456701"), s("RO21456120"), s("J15/88/2011"), s("0245222419"),
         l({"2.3"})},
        {s("F005"), s("Mobila Carpați SRL"), s("Str. Fabricii 7, Pucioasa"), s("CEC"),
         s("RO80CECEDB0130RON0123456"), s("RO9876123"), s("J15/410/1997"), s("0245760120"),
         l({"3.1"})},
        {s("F006"), s("Electro Instal Grup SRL"), s("Str. Morilor 21, Găești"), s("BCR"),
         s("RO15RNCB0117000987650001"), s("RO30112457"), s("J15/1250/2012"), s("0245711540"),
         l({"1.7", "2.1", "2.2", "3.3"})},
        {s("F007"), s("Agro Utilaje Sud SRL"), s("DN 72 km 12, Dragomirești"), s("BRD"),
         s("RO46BRDE160SV07654321000"), s("RO16654098"), s("J15/301/2004"), s("0245260915"),
         l({"2.1", "2.3"})},
        {s("F008"), s("Office Direct Distribuție SRL"), s("Str. Tineretului 4, București"), s("ING"),
         s("RO63INGB0000999907654321"), s("RO24599871"), s("J40/7710/2008"), s("0213104455"),
         l({"3.1", "3.2", "2.2"})},
    };
    return f;
}

const std::vector<Custodian> &custodians()
{
    static const std::vector<Custodian> c{
        {s("IPM"), s("Ionescu Maria")},  {s("PGV"), s("Popescu Gheorghe")},
        {s("DEL"), s("Dumitru Elena")},  {s("STN"), s("Stan Nicolae")},
        {s("CAR"), s("Constantin Ana")},
    };
    return c;
}

const std::vector<AssetClass> &classes()
{
    static const std::vector<AssetClass> c{
        {s("1.3"), s("Construcții pentru transporturi poștă și telecomunicații"), s("212")},
        {s("1.5"), s("Construcții pentru afaceri, comerț, depozitare."), s("212")},
        {s("1.6"), s("Construcții de locuințe și social-culturale."), s("212")},
        {s("1.7"), s("Construcții pentru transportul energiei electrice."), s("212")},
        {s("1.8"), s("Construcții pentru alimentare cu apă, canalizare și îmbunătățiri funciare."), s("212")},
        {s("2.1"), s("ECHIPAMENTE TEHNOLOGICE (MAȘINI, UTILAJE ȘI INSTALAȚII DE LUCRU)"), s("213")},
        {s("2.2"), s("APARATE ȘI INSTALAȚII DE MĂSURARE, CONTROL ȘI REGLARE."), s("213")},
        {s("2.3"), s("MIJLOACE DE TRANSPORT"), s("213")},
        {s("3.1"), s("Mobilier."), s("214")},
        {s("3.2"), s("Aparatură birotică"), s("214")},
        {s("3.3"), s("Sisteme de protecție a valorilor umane și materiale"), s("214")},
    };
    return c;
}

const std::vector<Code> &codes()
{
    // Names as the catalogue gives them; a code that the catalogue lists as a variant
    // ("- din ...") carries its heading in front.
    static const std::vector<Code> c{
        {s("1.3"), s("1.3.7.2"), s("Drumuri, alei, străzi - cu îmbrăcăminte din beton asfaltic sau pavaj pe fundație suplă"),
         20, 30, 250000, 3500000, 1.0, 3, l({"Drum comunal DC 12", "Stradă asfaltată", "Alee pietonală pavată"}), true},
        {s("1.3"), s("1.3.17.2"), s("Poduri, podețe, pasarele și viaducte - din zidărie, beton armat sau metal"),
         32, 48, 80000, 900000, 1.0, 1, l({"Pod beton armat pârâul Valea Lungă", "Podeț tubular", "Pasarelă pietonală"}), true},
        {s("1.5"), s("1.5.12"), s("Construcții ușoare pentru afaceri, comerț, depozitare (barăci, magazii, șoproane, etc.)."),
         8, 12, 15000, 90000, 0.2, 1, l({"Magazie materiale", "Șopron utilaje"}), true},
        {s("1.6"), s("1.6.1"), s("Clădiri de locuit, hoteluri și cămine"),
         40, 60, 180000, 900000, 0.3, 1, l({"Locuință de serviciu", "Bloc ANL 8 apartamente"}), true},
        {s("1.6"), s("1.6.2"), s("Construcții pentru învățământ; știință; cultură și artă; ocrotirea sănătății; asistență socială"),
         40, 60, 400000, 2800000, 0.9, 2, l({"Clădire școală", "Clădire cămin cultural", "Clădire dispensar", "Grădiniță"}), true},
        {s("1.6"), s("1.6.3.2"), s("Împrejmuiri din zidărie, beton armat, metal"),
         20, 30, 12000, 120000, 0.6, 1, l({"Gard împrejmuire școală", "Împrejmuire cimitir", "Gard metalic parc"}), true},
        {s("1.6"), s("1.6.4"), s("Clădiri administrative."),
         40, 60, 600000, 2500000, 1.0, 1, l({"Clădire primărie", "Sediu administrativ"}), true},
        {s("1.6"), s("1.6.5"), s("Construcții pentru centrale termice și puncte termice"),
         24, 36, 60000, 300000, 0.5, 1, l({"Centrală termică școală", "Punct termic"}), true},
        {s("1.7"), s("1.7.1.2"), s("Rețele de iluminat - aeriene pe stâlpi metalici sau din beton armat."),
         32, 48, 40000, 600000, 0.9, 2, l({"Rețea iluminat public", "Extindere rețea iluminat stradal"}), true},
        {s("1.8"), s("1.8.1"), s("Puțuri săpate sau forate."),
         24, 36, 30000, 180000, 0.9, 1, l({"Puț forat alimentare apă", "Fântână publică"}), true},
        {s("1.8"), s("1.8.6"), s("Conducte pentru alimentare cu apă, inclusiv traversările; rețele de distribuție."),
         24, 36, 150000, 2500000, 1.0, 2, l({"Rețea alimentare cu apă", "Extindere rețea apă potabilă"}), true},
        {s("1.8"), s("1.8.7"), s("Conducte pentru canalizare"),
         32, 48, 200000, 3000000, 1.0, 1, l({"Rețea canalizare menajeră", "Colector canalizare"}), true},
        {s("2.1"), s("2.1.16.1.2.3"), s("Grupuri electrogene mobile, grupuri de sudură mobile"),
         6, 10, 8000, 60000, 0.0, 2, l({"Grup electrogen mobil 10 kVA", "Aparat sudură mobil"}), false},
        {s("2.1"), s("2.1.17.1.1"), s("Pompe centrifuge"),
         8, 12, 4000, 45000, 0.1, 2, l({"Pompă centrifugă stație apă", "Electropompă submersibilă"}), false},
        {s("2.1"), s("2.1.17.3"), s("Ventilatoare, aeroterme și microcentrale termice murale sau de pardoseli"),
         6, 10, 3000, 18000, 0.0, 4, l({"Centrală termică murală", "Aerotermă", "Centrală termică pe peleți"}), false},
        {s("2.1"), s("2.1.17.3.1"), s("Aparate de climatizare."),
         4, 6, 2600, 9000, 0.0, 8, l({"Aparat aer condiționat 12000 BTU", "Aparat aer condiționat 18000 BTU", "Aparat aer condiționat 24000 BTU"}), false},
        {s("2.1"), s("2.1.20.4.1"), s("Unelte mecanice portabile (electrice, pneumatice, hidraulice)"),
         2, 4, 2500, 7000, 0.0, 3, l({"Motocoasă", "Drujbă", "Ciocan rotopercutor", "Mașină de tuns gazon"}), false},
        {s("2.1"), s("2.1.20.6"), s("Mașini, utilaje și instalații pentru construcții și reparații de drumuri"),
         6, 10, 40000, 350000, 0.0, 1, l({"Placă compactoare", "Cilindru compactor", "Freză asfalt"}), false},
        {s("2.2"), s("2.2.1.1.2"), s("Aparate de cântărit și marcat."),
         4, 6, 2500, 15000, 0.0, 1, l({"Cântar electronic", "Basculă platformă"}), false},
        {s("2.2"), s("2.2.4.2"), s("Contoare pentru apă caldă și energie termică."),
         4, 8, 2600, 12000, 0.0, 1, l({"Contor energie termică", "Contor apă caldă"}), false},
        {s("2.2"), s("2.2.9"), s("Calculatoare electronice și echipamente periferice. Mașini și aparate de casă, control și facturat."),
         2, 4, 2500, 14000, 0.0, 30, l({"Calculator desktop", "Laptop", "Server", "Imprimantă multifuncțională laser",
                                         "Sistem de calcul all-in-one", "Switch rețea 48 porturi", "Scanner documente"}), false},
        {s("2.3"), s("2.3.2.1.1"), s("Autoturisme"),
         4, 6, 60000, 190000, 0.0, 2, l({"Autoturism Dacia Logan", "Autoturism Dacia Duster", "Autoturism Skoda Octavia"}), false},
        {s("2.3"), s("2.3.2.1.2"), s("Microbuze"),
         4, 8, 180000, 420000, 0.0, 1, l({"Microbuz școlar 16+1 locuri", "Microbuz transport persoane"}), false},
        {s("2.3"), s("2.3.2.2.1"), s("Autocamioane și autocamionete cu platformă fixă, autofurgonete și autodube până la 4,5t exclusiv"),
         4, 6, 90000, 260000, 0.0, 1, l({"Autoutilitară 3,5 t", "Autoutilitară basculabilă"}), false},
        {s("2.3"), s("2.3.2.2.5"), s("Tractoare pe roți și pe șenile."),
         4, 6, 90000, 320000, 0.0, 1, l({"Tractor cu lamă de zăpadă", "Tractor 80 CP"}), false},
        {s("2.3"), s("2.3.2.2.9.3"), s("Alte autovehicule cu destinație specială"),
         5, 9, 250000, 900000, 0.0, 1, l({"Autospecială de stingere incendii", "Autogunoieră", "Ambulanță"}), false},
        {s("2.3"), s("2.3.6.6.1"), s("Încărcătoare frontale cu o cupă."),
         4, 8, 250000, 650000, 0.0, 1, l({"Buldoexcavator", "Încărcător frontal"}), false},
        {s("3.1"), s("3.1.1"), s("Mobilier (inclusiv mobilierul comercial și hotelier)"),
         9, 15, 2500, 25000, 0.0, 10, l({"Set mobilier birou", "Mobilier sală de clasă", "Mobilier sală de consiliu",
                                         "Dulap arhivă metalic", "Mobilier bibliotecă"}), false},
        {s("3.1"), s("3.1.2"), s("Firme, panouri și reclame luminoase."),
         2, 4, 2500, 12000, 0.2, 1, l({"Panou informativ luminos", "Firmă luminoasă instituție"}), false},
        {s("3.1"), s("3.1.5"), s("Aparate electrocasnice; aparate radio-receptoare, televizoare, aparatură video, frigidere, etc."),
         4, 6, 2500, 9000, 0.0, 5, l({"Televizor LED 65 inch", "Frigider", "Mașină de spălat vase", "Videoproiector"}), false},
        {s("3.1"), s("3.1.6"), s("Alt mobilier neregăsit în cadrul grupei 3.1."),
         6, 10, 2500, 15000, 0.3, 3, l({"Bănci de parc", "Echipament loc de joacă", "Tablă interactivă"}), false},
        {s("3.2"), s("3.2.1"), s("Mașini de scris, de francat, aparate de copiat și multiplicat, aparate de proiecție etc."),
         4, 6, 3000, 30000, 0.0, 4, l({"Copiator A3", "Aparat de multiplicat", "Aparat de proiecție"}), false},
        {s("3.2"), s("3.2.2"), s("Aparate de telecomunicații pentru birou: aparate telefonice, aparate telefax etc."),
         3, 5, 2500, 18000, 0.0, 2, l({"Centrală telefonică", "Stație radio emisie-recepție"}), false},
        {s("3.2"), s("3.2.4"), s("Altă aparatură birotică neregăsită în cadrul subgrupei 3.2."),
         3, 5, 2500, 9000, 0.0, 2, l({"Distrugător documente", "Sistem de vot electronic", "Laminator"}), false},
        {s("3.3"), s("3.3.2"), s("Unități de depozitare valori și purtători de date (case de bani, seifuri, dulapuri ignifuge etc)."),
         16, 24, 2500, 20000, 0.0, 1, l({"Casă de bani", "Dulap ignifug arhivă"}), false},
        {s("3.3"), s("3.3.4"), s("Sisteme de protecție la incendiu (elemente de detecție și de acționare, centrale de semnalizare)"),
         12, 18, 8000, 90000, 0.0, 1, l({"Sistem detecție incendiu", "Centrală semnalizare incendiu"}), false},
        {s("3.3"), s("3.3.5"), s("Sisteme pentru identificare și controlul accesului, supraveghere și alarmă la efracție."),
         8, 12, 5000, 120000, 0.2, 3, l({"Sistem supraveghere video", "Sistem alarmă efracție", "Sistem control acces"}), false},
    };
    return c;
}

} // namespace DemoFacts
