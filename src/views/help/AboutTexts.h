// The about box: its texts, in French then English.
#pragma once

#include "texts/Bilingual.h"

namespace ondrel {

struct AboutTexts {
    Bilingual caption{"A propos de Ondrel", "About Brevane"};
    Bilingual name{"Ondrel", "Brevane"};
    Bilingual contactHint{"Cliquez pour envoyer un message à l'auteur",
                          "Click to send a message to the author"};
    Bilingual homePageHint{"Cliquez pour aller sur le site Web du programme",
                           "Click to go to the Website of the software"};
    Bilingual credits{"&Crédits...", "&Credits..."};
    Bilingual creditsText{
        "<p><b>Ondrel</b> est un logiciel libre : vous pouvez le redistribuer et le modifier selon "
        "les "
        "termes de la licence publique générale GNU, version 3 ou toute version ultérieure "
        "(GPL-3.0-or-later). Il est fourni sans aucune garantie.</p>"
        "<p><b>Table des ports</b> : d'après la <i>Neaps tide database</i> "
        "(https://github.com/openwatersio/tide-database ; code sous licence MIT © Sailing "
        "Naturali, "
        "Brandon Keepers), convertie et modifiée pour ce programme (unités, arrondis, phases, "
        "noms, "
        "zéros des cartes). Ses stations viennent de :</p><ul>"
        "<li>US National Oceanic and Atmospheric Administration (NOAA) : domaine public "
        "(https://tidesandcurrents.noaa.gov/disclaimers.html).</li>"
        "<li>Source: Hart-Davis, M., Dettmering, D., Seitz, F. (2025), TICON-4: TIdal CONstants "
        "based "
        "on GESLA-4 sea-level records, SEANOE, https://doi.org/10.17882/109129. Licence CC BY 4.0 "
        "(https://creativecommons.org/licenses/by/4.0/) ; CC BY-NC 4.0 "
        "(https://creativecommons.org/licenses/by-nc/4.0/) pour les 282 marégraphes relayés par "
        "CMEMS, qui interdisent l'usage commercial de la table. Modified: see "
        "https://github.com/openwatersio/tide-database#modifications-to-source-data.</li>"
        "<li>Source: Kartverket / Norwegian Mapping Authority, Hydrographic Service. Licence CC BY "
        "4.0 "
        "(https://www.kartverket.no/en/api-and-data/terms-of-use). Modified: see "
        "https://github.com/openwatersio/tide-database#modifications-to-source-data.</li>"
        "<li>Noms et positions : GeoNames (CC BY 4.0, www.geonames.org), extraits d'OpenStreetMap "
        "(ODbL 1.0, © les contributeurs d'OpenStreetMap), Marine Regions Maritime Boundaries "
        "Geodatabase (Flanders Marine Institute, CC BY 4.0).</li></ul>"
        "<p><b>Carte du monde</b> : dessinée d'après Natural Earth (domaine public), "
        "par le module world-atlas.</p>",
        "<p><b>Brevane</b> is free software: you can redistribute it and modify it under the terms "
        "of "
        "the GNU General Public License, version 3 or any later version (GPL-3.0-or-later). It "
        "comes "
        "with no warranty at all.</p>"
        "<p><b>Port table</b>: from the <i>Neaps tide database</i> "
        "(https://github.com/openwatersio/tide-database; code under the MIT licence © Sailing "
        "Naturali, "
        "Brandon Keepers), converted and modified for this program (units, rounding, phases, "
        "names, "
        "chart datums). Its stations come from:</p><ul>"
        "<li>US National Oceanic and Atmospheric Administration (NOAA): public domain "
        "(https://tidesandcurrents.noaa.gov/disclaimers.html).</li>"
        "<li>Source: Hart-Davis, M., Dettmering, D., Seitz, F. (2025), TICON-4: TIdal CONstants "
        "based "
        "on GESLA-4 sea-level records, SEANOE, https://doi.org/10.17882/109129. Licensed CC BY 4.0 "
        "(https://creativecommons.org/licenses/by/4.0/); CC BY-NC 4.0 "
        "(https://creativecommons.org/licenses/by-nc/4.0/) for the 282 gauges relayed from CMEMS, "
        "which forbid commercial use of the table. Modified: see "
        "https://github.com/openwatersio/tide-database#modifications-to-source-data.</li>"
        "<li>Source: Kartverket / Norwegian Mapping Authority, Hydrographic Service. Licensed CC "
        "BY 4.0 "
        "(https://www.kartverket.no/en/api-and-data/terms-of-use). Modified: see "
        "https://github.com/openwatersio/tide-database#modifications-to-source-data.</li>"
        "<li>Names and positions: GeoNames (CC BY 4.0, www.geonames.org), OpenStreetMap extracts "
        "(ODbL 1.0, © OpenStreetMap contributors), Marine Regions Maritime Boundaries Geodatabase "
        "(Flanders Marine Institute, CC BY 4.0).</li></ul>"
        "<p><b>World map</b>: drawn from Natural Earth (public domain), through the world-atlas "
        "module.</p>"};
};

} // namespace ondrel
