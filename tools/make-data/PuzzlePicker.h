#pragma once
// Picks the shipped collection from candidate puzzles and puts it in the order the game shows it
// (fewer rows first, then shorter start and end words, file order for equal keys): the themed
// candidates that fit, then for each row count the candidates that let difficulty rise best
// along that order, found by a seeded hill climb that keeps the start gentle, enough themed
// puzzles, every action in enough puzzles and no start or end word in two puzzles.

#include "PuzzleMaker.h"

#include <cstdint>
#include <map>
#include <vector>

// perRows[n] puzzles of n rows, from themed (placed first, in order; candidates sharing a word
// exclude each other, such as the two directions of a pair) and pools[n]. Throws
// std::runtime_error when the candidates do not allow the collection's rules to hold.
std::vector<TMadePuzzle> PickCollection(const std::vector<TMadePuzzle>& themed,
                                        const std::map<int, std::vector<TMadePuzzle>>& pools,
                                        const std::map<int, int>& perRows, uint32_t seed);
