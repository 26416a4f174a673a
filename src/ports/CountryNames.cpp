#include "ports/CountryNames.h"

#include <array>

namespace ondrel {

namespace {

// Rows 1 to 114; the blanks around some names are part of them.
constexpr std::array<TextPair, kCountryNameCount> kCountryNames{{
    {"France", "France"},                                           // 1
    {"Espagne", "Spain"},                                           // 2
    {"Portugal ", "Portugal"},                                      // 3
    {"Maroc ", "Morocco"},                                          // 4
    {"Etats Unis ", "USA"},                                         // 5
    {"Canada", "Canada"},                                           // 6
    {"Mexique", "Mexico"},                                          // 7
    {"Honduras", "Honduras"},                                       // 8
    {"El Salvador", "El Salvador"},                                 // 9
    {"Panama", "Panama"},                                           // 10
    {"Colombie", "Colombia"},                                       // 11
    {"Venezuela", "Venezuela"},                                     // 12
    {"Trinidad et Tobago", "Trinidad and Tobago"},                  // 13
    {"Guyana", "Guyana"},                                           // 14
    {"Suriname", "Surinam"},                                        // 15
    {"Brésil", "Brazil"},                                           // 16
    {"Uruguay", "Uruguay"},                                         // 17
    {"Argentine", "Argentina"},                                     // 18
    {"Chili", "Chile"},                                             // 19
    {"Pérou", "Peru"},                                              // 20
    {"Grande Bretagne", "United Kingdom"},                          // 21
    {"Irlande ", "Irland"},                                         // 22
    {"Island ", "Iceland"},                                         // 23
    {"Norvège ", "Norway"},                                         // 24
    {"Italie ", "Italy"},                                           // 25
    {"Slovénie ", "Slovenia"},                                      // 26
    {"Croatie ", "Croatia"},                                        // 27
    {"Yougoslavie ", "Yougoslavia"},                                // 28
    {"Albanie ", "Albania"},                                        // 29
    {"Egypte", "Egypt"},                                            // 30
    {"Tunisie", "Tunisia"},                                         // 31
    {"Algérie", "Algeria"},                                         // 32
    {"Mauritanie", "Mauritania"},                                   // 33
    {"Sénégal", "Senegal"},                                         // 34
    {"Gambie", "Gambia"},                                           // 35
    {"Sénégal", "Senegal"},                                         // 36
    {"Guinée Bissau", "Guinea-Bissau"},                             // 37
    {"Guinée", "Guinea"},                                           // 38
    {"Sierra Leone", "Sierra Leone"},                               // 39
    {"Liberia", "Liberia"},                                         // 40
    {"Côte d'ivoire", "Côte d'ivoire"},                             // 41
    {"Ghana", "Ghana"},                                             // 42
    {"Togo", "Togo"},                                               // 43
    {"Nigéria", "Nigeria"},                                         // 44
    {"Cameroun", "Cemroon"},                                        // 45
    {"Guinée Equatoriale", "Equatorial Guinea"},                    // 46
    {"Gabon", "Gabon"},                                             // 47
    {"République du Congo", "Republic of Congo"},                   // 48
    {"Angola", "Angola"},                                           // 49
    {"Namibie", "Namibia"},                                         // 50
    {"Afrique du Sud", "South Africa"},                             // 51
    {"Mozambique", "Mozambique"},                                   // 52
    {"Tanzanie", "Tanzania"},                                       // 53
    {"Kenya", "Kenya"},                                             // 54
    {"Somalie", "Somalia"},                                         // 55
    {"Djibouti", "Djibouti"},                                       // 56
    {"Erythrée", "Eritrea"},                                        // 57
    {"Soudan", "Sudan"},                                            // 58
    {"Yemen", "Yemen"},                                             // 59
    {"Oman", "Oman"},                                               // 60
    {"Emirats Arabes Unis", "United Arab Emirates"},                // 61
    {"Qatar", "Qatar"},                                             // 62
    {"Barhein", "Barhain"},                                         // 63
    {"Arabie Saoudite", "Saudi Arabia"},                            // 64
    {"Koweit", "Kuwait"},                                           // 65
    {"Iraq", "Iraq"},                                               // 66
    {"Iran", "Iran"},                                               // 67
    {"Pakistan", "Pakistan"},                                       // 68
    {"Inde", "India"},                                              // 69
    {"Sri Lanka", "Sri Lanka"},                                     // 70
    {"Bangladesh", "Bangladesh"},                                   // 71
    {"Myanmar", "Myanmar"},                                         // 72
    {"Thailande", "Thailand"},                                      // 73
    {"Malaisie", "Malaysia"},                                       // 74
    {"Singapour", "Singapore"},                                     // 75
    {"Cambodge", "Cambodia"},                                       // 76
    {"Vietnam", "Vietnam"},                                         // 77
    {"Chine", "China"},                                             // 78
    {"Corée du Nord", "North Korea"},                               // 79
    {"Corée du Sud", "South Korea"},                                // 80
    {"Indonésie", "Indonesia"},                                     // 81
    {"Philippines", "Philippines"},                                 // 82
    {"Papouasie Nouvelle Guinée", "Papua New Guinea"},              // 83
    {"Australie", "Australia"},                                     // 84
    {"Nouvelle Zélande", "New Zeland"},                             // 85
    {"Japon", "Japan"},                                             // 86
    {"Russie", "Russia"},                                           // 87
    {"Belgique", "Belgium"},                                        // 88
    {"Pays Bas", "Netherlands"},                                    // 89
    {"Allemagne", "Germany"},                                       // 90
    {"Danemarque", "Denmark"},                                      // 91
    {"Malte", "Malta"},                                             // 92
    {"Cap Vert", "Cape Verde"},                                     // 93
    {"Madagascar", "Madagascar"},                                   // 94
    {"Seychelles", "Seychelles"},                                   // 95
    {"Palau", "Palau"},                                             // 96
    {"Micronésie", "Federate States of Micronesia"},                // 97
    {"Iles Marshall", "Marshall Island"},                           // 98
    {"Iles Salomon", "Salomon Island"},                             // 99
    {"Vanuatu", "Vanuatu"},                                         // 100
    {"Iles Fidji", " Fidji Islands"},                               // 101
    {"Tuvalu", "Tuvalu"},                                           // 102
    {"Samoa", "Samoa"},                                             // 103
    {"Tonga", "Tonga"},                                             // 104
    {"Equateur", "Ecuador"},                                        // 105
    {"Cuba", "Cuba"},                                               // 106
    {"Bahamas", "Bahamas"},                                         // 107
    {"Haiti", "Haiti"},                                             // 108
    {"Antilles Néerlandaises ", "Netherlands Antilles"},            // 109
    {"Grenade", "Granada"},                                         // 110
    {"Saint Vincent Grenadines ", "St Vincent and the Grenadines"}, // 111
    {"Sainte Lucie ", "Ste Lucia"},                                 // 112
    {"Taiwan", "Taiwan"},                                           // 113
    {"Antarctique", "Antarctique"},                                 // 114
}};

} // namespace

QString CountryName(int number, Language language) {
    if (number < 1 || number > kCountryNameCount) return {};
    return QString::fromUtf8(kCountryNames[static_cast<std::size_t>(number - 1)].In(language));
}

} // namespace ondrel
