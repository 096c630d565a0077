#pragma once

#include "parse/keywords.h"

namespace scenario {

// The train file's keywords, in the order they are tested on one keyword field; letter case
// never counts. Every test that matches reads its own fields.
namespace train_keyword {

inline constexpr KeywordRule kBrakedMass{
    {TextFile::train, 1, "percentuale massa frenata"}, "massa", "frenata", LetterCase::ignored, 1};
inline constexpr KeywordRule kCarCount{
    {TextFile::train, 2, "numero vetture"}, "vetture", {}, LetterCase::ignored, 1};
inline constexpr KeywordRule kSpeedLimit{
    {TextFile::train, 3, "velocita"}, "velocit", {}, LetterCase::ignored, 2};
inline constexpr KeywordRule kAdhesion{
    {TextFile::train, 4, "aderenza"}, "aderenza", {}, LetterCase::ignored, 2};
inline constexpr KeywordRule kClock{
    {TextFile::train, 5, "orologio"}, "orologio", {}, LetterCase::ignored, 3};
inline constexpr KeywordRule kSand{
    {TextFile::train, 6, "sabbia"}, "sabbia", {}, LetterCase::ignored, 1};
inline constexpr KeywordRule kSignal{
    {TextFile::train, 7, "segnale"}, "segnale", {}, LetterCase::ignored, 11};
inline constexpr KeywordRule kSlowdown{
    {TextFile::train, 8, "rallentamento"}, "rallentamento", {}, LetterCase::ignored, 6};
inline constexpr KeywordRule kCodeChange{
    {TextFile::train, 9, "abbattimento"}, "abbattimento", {}, LetterCase::ignored, 2};
inline constexpr KeywordRule kStation{
    {TextFile::train, 10, "stazione"}, "stazione", {}, LetterCase::ignored, 17};

inline constexpr KeywordRule kAll[] = {kBrakedMass, kCarCount, kSpeedLimit, kAdhesion,   kClock,
                                       kSand,       kSignal,   kSlowdown,   kCodeChange, kStation};

}  // namespace train_keyword

}  // namespace scenario
