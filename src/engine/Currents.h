// Tidal streams: the speed of the stream along its flood axis at a current station (knots, flood
// positive) and the events of a span of time as current tables print them: each slack water,
// the strongest flood and ebb between two slacks, and the weakest speed of a flood or ebb that
// turns back without reaching slack.
#pragma once

#include "engine/FullHarmonic.h"

#include <string_view>
#include <vector>

namespace ondrel {

enum class CurrentEventKind { Slack, MaxFlood, MaxEbb, MinFlood, MinEbb };

// The kind as the program writes it: "slack", "max_flood", "max_ebb", "min_flood", "min_ebb".
std::string_view CurrentEventName(CurrentEventKind kind);

struct CurrentEvent {
    CurrentEventKind kind = CurrentEventKind::Slack;
    double time = 0;  // Julian date, UT
    double speed = 0; // knots along the flood axis, flood positive; 0 at slack
    // A slack's direction: the stream turns to flood (true) or to ebb (false).
    bool toFlood = false;
};

// A reference station: the harmonic constants of its speed (amplitudes in knots) and its mean
// flow, carried as the constants' datum offset.
// Speed in knots at the instant t (Julian date, UT), with the nodal corrections of t.
double CurrentSpeedAt(const HarmonicConstants& stream, double t);

// The events from start (included) to end (excluded), Julian dates in UT, in time order; times
// found to the second.
std::vector<CurrentEvent> CurrentEvents(const HarmonicConstants& stream, double start, double end);

// A subordinate station's offsets from its reference, as current tables give them.
struct CurrentOffsets {
    double slackBeforeFlood = 0; // minutes
    double slackBeforeEbb = 0;   // minutes
    double maxFlood = 0;         // minutes, for the flood's maximum and minimum
    double maxEbb = 0;           // minutes, for the ebb's
    double floodRatio = 1;
    double ebbRatio = 1;
};

// A subordinate station's events: each of its reference's events moved by its time offset, the
// speeds multiplied by the flood or ebb ratio (slacks stay 0), kept from start to end and in time
// order. reference: the reference's events over a span wider than [start, end) by the largest
// offset.
std::vector<CurrentEvent> SubordinateCurrentEvents(const std::vector<CurrentEvent>& reference,
                                                   const CurrentOffsets& offsets, double start,
                                                   double end);

// The speed at t between a station's events (in time order, around t): from each event to the
// next along half a cosine, so that it passes through every event and turns only at them. The
// speed curve of a subordinate station, whose constants are its reference's. 0 outside the events.
double SpeedBetweenEvents(const std::vector<CurrentEvent>& events, double t);

} // namespace ondrel
