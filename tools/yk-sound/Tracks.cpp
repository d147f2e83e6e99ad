#include "Song.h"

namespace {

const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kMinor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kPhrygian = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> kLydian = {0, 2, 4, 6, 7, 9, 11};
const std::vector<int> kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};
const std::vector<int> kWholeTone = {0, 2, 4, 6, 8, 10};

Song Make(const char* file, float bpm, int root, const std::vector<int>& scale, std::vector<int> chords,
          int sectionBars, std::vector<std::string> sections)
{
    Song s;
    s.file = file;
    s.bpm = bpm;
    s.root = root;
    s.scale = scale;
    s.chords = std::move(chords);
    s.sectionBars = sectionBars;
    s.sections = std::move(sections);
    return s;
}

// Completion fanfare: bright major brass over a march.
Song Fanfare()
{
    Song s = Make("r31", 120, 58, kMajor, {0, 4, 3, 4}, 4, {"pi", "ksbpl", "ksbpah", "ksbpL", "ksbpahl", "sbpi"});
    s.kick = "9.......9.......";
    s.snare = "....9.......9.55";
    s.hat = "5.5.5.5.5.5.5.5.";
    s.timpani = "9.......5...5.5.";
    s.bass = "R---5---O---5---";
    s.arp = "0.1.2.3.4.3.2.1.";
    s.arpInst = Inst::Bell;
    s.leadInst = Inst::Brass;
    s.seed = 31;
    const Inst b = Inst::Brass;
    s.fixed = {{0, 2, 7, b, 0.9f},   {2, 2, 7, b, 0.9f},   {4, 2, 7, b, 0.9f},   {6, 10, 12, b, 1.0f},
               {6, 10, 4, b, 0.7f},  {16, 3, 14, b, 0.9f}, {19, 3, 11, b, 0.9f}, {22, 10, 17, b, 1.0f},
               {32, 6, 15, b, 0.9f}, {38, 2, 14, b, 0.8f}, {40, 8, 12, b, 0.9f}, {48, 4, 14, b, 0.9f},
               {52, 4, 17, b, 0.9f}, {56, 8, 19, b, 1.0f}};
    return s;
}

// Plain levels: driving minor four-on-the-floor.
Song Action()
{
    Song s = Make("r32", 128, 57, kMinor, {0, 5, 2, 6}, 4, {"khbp", "khbsa", "khbsal", "khbsaL", "kbpa", "khbsal", "khbscaL", "khbsoa"});
    s.kick = "9...9...9...9...";
    s.snare = "....9.......9...";
    s.hat = "..5...5...5...5.";
    s.openHat = "..............6.";
    s.clap = "....7.......7...";
    s.bass = "R.RO.RR.R.RO.R5.";
    s.arp = "0.1.2.1.3.2.1.2.";
    s.seed = 32;
    return s;
}

// Title and level select: calm dorian with bells and a flute. The bass
// plays from the start: the opening is the first thing a player hears, and
// pad and bells alone left it some 8 dB below the rest of the loop.
Song Menu()
{
    Song s = Make("r33", 96, 50, kDorian, {0, 3, 0, 6}, 4, {"pab", "paxb", "pakxb", "pakxbl", "pakxbL", "pxb"});
    s.kick = "9.........9.....";
    s.shaker = "..5...5...5...53";
    s.bass = "R-------5---O---";
    s.arp = "0..1..2.3..2..1.";
    s.arpInst = Inst::Bell;
    s.leadInst = Inst::Flute;
    s.swing = 0.15f;
    s.reverb = 0.35f;
    s.seed = 33;
    return s;
}

// The chaser: fast, tense phrygian ostinato with toms.
Song Chaser()
{
    Song s = Make("r34", 150, 52, kPhrygian, {0, 0, 1, 0, 0, 0, 6, 1}, 4, {"kbh", "kbht", "kbhsa", "kbhsal", "kbhsal", "kbhtL", "bta", "kbhsaL", "kbhsal", "kbhsto"});
    s.kick = "9..9..9.9..9..9.";
    s.snare = "....9.......9.9.";
    s.hat = "7575757575757575";
    s.openHat = "......5.......5.";
    s.toms = "..........5.7.9.";
    s.bass = "RRORRORRRRORR5R3";
    s.arp = "0.2.1.3.0.2.4.3.";
    s.echo = 0.1f;
    s.seed = 34;
    return s;
}

// The blower: airy lydian with whooshing wind.
Song Blower()
{
    Song s = Make("r35", 112, 53, kLydian, {0, 1, 0, 4}, 4, {"wpx", "wpxa", "wpxakb", "wpxakbl", "pxakbL", "wpxakbl", "wpxa"});
    s.kick = "9.......9..5....";
    s.shaker = "5.5.5.5.5.5.5.57";
    s.clap = "....6.......6...";
    s.bass = "R---R-O-5---R---";
    s.arp = "0.1.2.4.2.1.3.1.";
    s.leadInst = Inst::Flute;
    s.reverb = 0.4f;
    s.echo = 0.3f;
    s.seed = 35;
    return s;
}

// The gobbler: slow swung groove with a wobbling bass.
Song Gobbler()
{
    Song s = Make("r36", 100, 55, kDorian, {0, 3, 0, 4}, 4, {"kcb", "kcbh", "kcbhl", "kcbhpL", "kcbhpl", "kbhp"});
    s.kick = "9.....9...9.....";
    s.clap = "....9.......9...";
    s.hat = "5.5.5.5.5.5.5.5.";
    s.bass = "R--R--O-R--5--3-";
    s.bassInst = Inst::WobbleBass;
    s.swing = 0.35f;
    s.seed = 36;
    return s;
}

// The fireball: hot harmonic minor with brass.
Song Fireball()
{
    Song s = Make("r37", 140, 48, kHarmonicMinor, {0, 5, 3, 4}, 4, {"kbh", "kbhs", "kbhsa", "kbhsal", "kbhsaL", "kbhsot", "kbhsal", "kbhsaL", "kbhsoc"});
    s.kick = "9...9...9...9.9.";
    s.snare = "....9.......9...";
    s.hat = "7575757575757575";
    s.openHat = "..6...6...6...6.";
    s.toms = "............7.9.";
    s.clap = "....8.......8...";
    s.bass = "R.RRO.RRR.RRO.5.";
    s.arp = "0.1.2.3.4.3.2.1.";
    s.leadInst = Inst::Brass;
    s.seed = 37;
    return s;
}

// The T-cell king: a minor march with timpani.
Song March()
{
    Song s = Make("r38", 116, 50, kMinor, {0, 0, 5, 4, 0, 3, 4, 4}, 4, {"si", "sib", "sibk", "sibkl", "sibkpL", "sibkpl", "sibkpL", "sik"});
    s.snare = "9..59..59..59.55";
    s.kick = "9.......9.......";
    s.timpani = "9.......7.......";
    s.bass = "R---5---R---5---";
    s.leadInst = Inst::Brass;
    s.seed = 38;
    return s;
}

// The egg layer: creepy whole-tone choir and bells.
Song Creepy()
{
    Song s = Make("r39", 88, 50, kWholeTone, {0, 1, 0, 5}, 4, {"p", "pa", "pakb", "pakbl", "pkbL"});
    s.kick = "9.......9.......";
    s.bass = "R-------R-----5-";
    s.arp = "0...2...1...3...";
    s.padInst = Inst::Choir;
    s.arpInst = Inst::Bell;
    s.leadInst = Inst::Bell;
    s.reverb = 0.5f;
    s.seed = 39;
    return s;
}

// The stem-cell mass: the big one, choir and brass over heavy drums.
Song EndBoss()
{
    Song s = Make("r40", 132, 47, kMinor, {0, 5, 6, 0, 3, 5, 6, 4}, 4, {"pbk", "pbkh", "pbkhsa", "pbkhsal", "pbkhsaL", "pbkhst", "pbkhsal", "pbkhsaL", "pbkhsti"});
    s.kick = "9..9..9.9.......";
    s.toms = "........5.7.9.9.";
    s.timpani = "9...............";
    s.snare = "....9.......9...";
    s.hat = "5.5.5.5.5.5.5.5.";
    s.bass = "R-RO-RR-R-RO-R5-";
    s.arp = "0.1.2.3.2.1.0.1.";
    s.padInst = Inst::Choir;
    s.leadInst = Inst::Brass;
    s.seed = 40;
    return s;
}

// Retry: a falling brass sting, then a hushed loop.
Song Retry()
{
    Song s = Make("rcoll", 80, 48, kMinor, {0, 5, 3, 4}, 2, {"p", "p", "pa", "pab", "pab", "pa", "p"});
    s.bass = "R-------5-------";
    s.arp = "0...1...2...1...";
    s.reverb = 0.4f;
    s.seed = 41;
    const Inst b = Inst::Brass;
    s.fixed = {{0, 3, 7, b, 0.9f}, {4, 3, 6, b, 0.85f}, {8, 3, 5, b, 0.8f}, {12, 14, 4, b, 0.8f}};
    return s;
}

} // namespace

const std::vector<Song>& Songs()
{
    static const std::vector<Song> songs = {Fanfare(), Action(), Menu(),  Chaser(),  Blower(), Gobbler(),
                                            Fireball(), March(), Creepy(), EndBoss(), Retry()};
    return songs;
}
