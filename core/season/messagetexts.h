// The words of every message number: its title, five headlines for the news
// pages and tickers, and the bodies the inbox shows.  The tables are made at
// build time from data/messages by the msgtable step and hold Windows-1252
// templates with the expander's "$" placeholders.
#pragma once
#include <array>
#include <cstdint>

constexpr int kMessageTypeCount = 293;
constexpr int kHeadlineVariants = 5;
// A body list ends early with a null entry.
constexpr int kMaxMessageBodies = 10;

// The title of each number ("" where it has none).
extern const std::array<const char*, kMessageTypeCount> MessageTitleTemplates;
// Five headlines per number; a number that never reaches the news has five
// empty texts.
extern const char* const MessageHeadlineTemplates[kMessageTypeCount][kHeadlineVariants];
// One to five bodies per number, then null entries.
extern const char* const MessageBodyTemplates[kMessageTypeCount][kMaxMessageBodies];
