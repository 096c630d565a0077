#pragma once

#include "parse/keywords.h"

namespace scenario {

// The route file's keywords, in the order they are tested on one keyword field. Every test that
// matches reads its own fields. The general keywords are recognised only in the general section,
// the feature keywords only after it.
namespace route_keyword {

inline constexpr KeywordRule kRouteLength{
    {TextFile::route, 1, "lunghezza percorso"}, "lunghezza", "percorso", LetterCase::ignored, 1};
inline constexpr KeywordRule kProgressiveTre{{TextFile::route, 2, "progressiva chilometrica tre"},
                                             "tre",
                                             "progressiva",
                                             LetterCase::significant,
                                             3};
inline constexpr KeywordRule kProgressiveDue{{TextFile::route, 3, "progressiva chilometrica due"},
                                             "due",
                                             "progressiva",
                                             LetterCase::significant,
                                             3};
inline constexpr KeywordRule kProgressiveUno{{TextFile::route, 4, "progressiva chilometrica uno"},
                                             "uno",
                                             "progressiva",
                                             LetterCase::significant,
                                             3};
inline constexpr KeywordRule kBackgroundUno{
    {TextFile::route, 5, "sfondo uno"}, "sfondo", "uno", LetterCase::significant, 1};
inline constexpr KeywordRule kBackgroundDue{
    {TextFile::route, 6, "sfondo due"}, "sfondo", "due", LetterCase::significant, 1};
inline constexpr KeywordRule kBackgroundTre{
    {TextFile::route, 7, "sfondo tre"}, "sfondo", "tre", LetterCase::significant, 1};
inline constexpr KeywordRule kCabSignalling{{TextFile::route, 8, "ripetizione segnali 9 codici"},
                                            "segnali",
                                            "ripetizione",
                                            LetterCase::significant,
                                            2};

inline constexpr KeywordRule kGradient{
    {TextFile::route, 9, "pendenza"}, "pendenza", {}, LetterCase::ignored, 2};
// Recognised only when the line profile is built.
inline constexpr KeywordRule kCurve{
    {TextFile::route, 10, "curva"}, "curva", {}, LetterCase::ignored, 2};
inline constexpr KeywordRule kMountain{
    {TextFile::route, 11, "montagna"}, "montagna", {}, LetterCase::ignored, 3};
inline constexpr KeywordRule kSpeedBoards{
    {TextFile::route, 12, "indicatori_vmax"}, "indicatori_v", {}, LetterCase::ignored, 9};
inline constexpr KeywordRule kDirectionBoard{
    {TextFile::route, 13, "cartello_indicatore"}, "cartello", "indicat", LetterCase::ignored, 2};

inline constexpr KeywordRule kGeneral[] = {kRouteLength,    kProgressiveTre, kProgressiveDue,
                                           kProgressiveUno, kBackgroundUno,  kBackgroundDue,
                                           kBackgroundTre,  kCabSignalling};
inline constexpr KeywordRule kFeatures[] = {kGradient, kCurve, kMountain, kSpeedBoards,
                                            kDirectionBoard};

}  // namespace route_keyword

}  // namespace scenario
