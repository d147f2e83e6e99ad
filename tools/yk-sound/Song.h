#pragma once
#include <string>
#include <vector>

#include "Instruments.h"

// A note placed by hand (fanfares, stings), relative to the key's root.
struct FixedNote {
    int step;      // sixteenth from the start of the loop
    int length;    // sixteenths
    int semitones; // above the root
    Inst inst;
    float velocity;
};

// A looping track: a chord progression over a scale, drum and bass
// patterns, and sections that switch layers on and off. Layer letters:
// k kick, s snare, h hat, o open hat, c clap, t toms, x shaker, i timpani,
// b bass, a arpeggio, p pad, l and L the two lead motifs, w whoosh.
struct Song {
    const char* file = "";       // "r31" ... "rcoll"
    float bpm = 120;
    int root = 57;               // MIDI note of the key
    std::vector<int> scale;      // semitones of the scale degrees
    std::vector<int> chords;     // scale degree of each bar's chord, cycling
    int sectionBars = 4;
    std::vector<std::string> sections; // active layers per section
    // Patterns, one character per sixteenth, cycling: '.' rest, digits
    // 1..9 velocity. Bass: R root, O octave, 5 fifth, 3 third, '-' hold.
    // Arpeggio: digits index the chord tones upward, '.' rest.
    std::string kick, snare, hat, openHat, clap, toms, shaker, timpani, bass, arp;
    Inst bassInst = Inst::Bass;
    Inst arpInst = Inst::Pluck;
    Inst padInst = Inst::Pad;
    Inst leadInst = Inst::Lead;
    int leadOctave = 1;          // octaves above the root
    float swing = 0;             // fraction of a sixteenth that off-beats lag
    float reverb = 0.25f;        // send level
    float echo = 0.2f;           // dotted-eighth echo on arpeggio and lead
    unsigned seed = 1;
    std::vector<FixedNote> fixed;
};

const std::vector<Song>& Songs();
