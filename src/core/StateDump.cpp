#include "core/StateDump.h"

#include <sstream>

#include "core/Game.h"

namespace {

class Json {
public:
    Json& Key(const char* name) {
        Separate();
        out_ << '"' << name << "\":";
        fresh_ = true;
        return *this;
    }
    template <typename T> Json& Value(T v) {
        Separate();
        if constexpr (std::is_same_v<T, bool>)
            out_ << (v ? "true" : "false");
        else
            out_ << static_cast<long long>(v);
        return *this;
    }
    Json& String(const std::string& s) {
        Separate();
        out_ << '"';
        for (char c : s) {
            if (c == '"' || c == '\\') out_ << '\\';
            out_ << c;
        }
        out_ << '"';
        return *this;
    }
    template <typename T> Json& Field(const char* name, T v) { return Key(name).Value(v); }
    Json& Open(char bracket) {
        Separate();
        out_ << bracket;
        fresh_ = true;
        return *this;
    }
    Json& Close(char bracket) {
        out_ << bracket;
        fresh_ = false;
        return *this;
    }
    std::string Text() const { return out_.str(); }

private:
    void Separate() {
        if (!fresh_) out_ << ',';
        fresh_ = false;
    }
    std::ostringstream out_;
    bool fresh_ = true;
};

template <typename Array> void Numbers(Json& j, const char* name, const Array& a) {
    j.Key(name).Open('[');
    for (auto v : a) j.Value(v);
    j.Close(']');
}

template <typename Table, typename Fields> void Records(Json& j, const char* name, const Table& t, Fields fields) {
    j.Key(name).Open('[');
    for (const auto& r : t) {
        j.Open('{');
        fields(j, r);
        j.Close('}');
    }
    j.Close(']');
}

void BossFields(Json& j, const BossRecord& b) {
    j.Field("X", b.X).Field("Y", b.Y).Field("VX", b.VX).Field("VY", b.VY).Field("Width", b.Width);
    j.Field("Height", b.Height).Field("SheetX", b.SheetX).Field("SheetY", b.SheetY).Field("Timer", b.Timer);
    j.Field("Countdown", b.Countdown).Field("Energy", b.Energy).Field("Active", b.Active);
}

} // namespace

namespace {
std::string Dump(const Game& g, bool forHash);
}

std::string DumpState(const Game& g) { return Dump(g, false); }

namespace {
std::string Dump(const Game& g, bool forHash) {
    Json j;
    j.Open('{');
    // settings and persistent data
    j.Field("WaitSetting", g.WaitSetting).Field("Difficulty", g.Difficulty).Field("SoundOn", g.SoundOn);
    j.Field("MusicOn", g.MusicOn).Field("SettingsByte", g.SettingsByte).Field("UnlockFlags", g.UnlockFlags);
    j.Field("UnlockFlags2", g.UnlockFlags2);
    Numbers(j, "HighScores", g.HighScores);
    Numbers(j, "HighScoreNames", g.HighScoreNames);
    j.Field("ExtraFlagsA", g.ExtraFlagsA).Field("ExtraFlagsB", g.ExtraFlagsB);
    j.Field("SpeedSetting", g.SpeedSetting).Field("ShotRangeSetting", g.ShotRangeSetting);
    j.Field("StartStage", g.StartStage).Field("GameMode", g.GameMode).Field("BackgroundOff", g.BackgroundOff);
    j.Field("JoystickEnabled", g.JoystickEnabled).Field("JoystickId", g.JoystickId).Field("JoyLatch", g.JoyLatch);
    Numbers(j, "KeyHistory", g.KeyHistory);
    const std::pair<const char*, const std::vector<uint8_t>*> sounds[] = {
        {"HitSound", &g.HitSound},       {"Hit2Sound", &g.Hit2Sound},     {"Hit3Sound", &g.Hit3Sound},
        {"BeamSound", &g.BeamSound},     {"SelectSound", &g.SelectSound}, {"DecideSound", &g.DecideSound},
        {"ItemSound", &g.ItemSound},     {"WarnSound", &g.WarnSound},     {"UpSound", &g.UpSound}};
    // Byte counts; left out of the hash, which should follow play, not the sound files' lengths.
    if (!forHash)
        for (const auto& [name, buffer] : sounds) j.Field(name, buffer->size());
    // Relative to the program folder, so dumps and hashes do not depend on where the game lives.
    std::string midi = g.MidiFileName;
    const std::string folder = g.ProgramPath("");
    if (!folder.empty() && midi.rfind(folder, 0) == 0) midi = midi.substr(folder.size());
    j.Key("MidiFileName").String(midi);

    // current game
    j.Field("Score", g.Score).Field("Lives", g.Lives).Field("StageNumber", g.StageNumber);
    j.Field("ContinueUsed", g.ContinueUsed).Field("ErasedShots", g.ErasedShots);
    j.Field("PodAllowed", g.PodAllowed).Field("PodBonus", g.PodBonus);
    j.Key("BossNames").Open('[');
    for (const auto& s : g.BossNames) j.String(s);
    j.Close(']');
    j.Key("ExtraBossNames").Open('[');
    for (const auto& s : g.ExtraBossNames) j.String(s);
    j.Close(']');
    j.Field("BossMaxEnergy", g.BossMaxEnergy).Field("SeparatorColor", g.SeparatorColor);

    // current stage
    j.Field("StagePhase", g.StagePhase).Field("FrameCounter", g.FrameCounter);
    j.Field("TimelineHold", g.TimelineHold).Field("ScriptIndex", g.ScriptIndex);
    j.Field("WarningFrame", g.WarningFrame).Field("EnemyCount", g.EnemyCount);
    j.Field("EnemyShotCount", g.EnemyShotCount).Field("PlayerShotCount", g.PlayerShotCount);
    j.Field("BeamCount", g.BeamCount).Field("ItemCount", g.ItemCount).Field("CancelBeams", g.CancelBeams);
    j.Field("ScrollDX", g.ScrollDX).Field("ScrollDY", g.ScrollDY).Field("BossStep", g.BossStep);
    j.Field("BossMode", g.BossMode);
    Records(j, "BossPoints", g.BossPoints, [](Json& o, const PointRecord& p) { o.Field("X", p.X).Field("Y", p.Y); });
    j.Field("EnemiesAppeared", g.EnemiesAppeared).Field("EnemiesDestroyed", g.EnemiesDestroyed);
    j.Field("MaxCombo", g.MaxCombo).Field("StageBonus", g.StageBonus).Field("NoMissStage", g.NoMissStage);
    j.Field("BossTimedOut", g.BossTimedOut);

    // player and weapons
    const PlayerRecord& p = g.Player;
    j.Key("Player").Open('{');
    j.Field("X", p.X).Field("Y", p.Y).Field("DX", p.DX).Field("DY", p.DY).Field("SpriteX", p.SpriteX);
    j.Field("SpriteY", p.SpriteY).Field("PowerLevel", p.PowerLevel).Field("Energy", p.Energy);
    j.Field("GrazeTimer", p.GrazeTimer).Field("AnimCounter", p.AnimCounter).Field("StateTimer", p.StateTimer);
    j.Field("ShipType", p.ShipType).Field("Arrived", p.Arrived);
    j.Close('}');
    j.Field("FireCounter", g.FireCounter).Field("SpecialTimer", g.SpecialTimer);
    j.Field("SpecialKills", g.SpecialKills).Field("SpecialX", g.SpecialX).Field("SpecialY", g.SpecialY);
    j.Field("ComboTimer", g.ComboTimer).Field("SpecialPressed", g.SpecialPressed);
    j.Field("MoveStarted", g.MoveStarted);

    // tables
    Records(j, "StarTable", g.StarTable, [](Json& o, const StarRecord& r) {
        o.Field("X", r.X).Field("Y", r.Y).Field("Speed", r.Speed).Field("Active", r.Active);
    });
    Records(j, "EnemyTable", g.EnemyTable, [](Json& o, const EnemyRecord& r) {
        o.Field("Kind", r.Kind).Field("Variant", r.Variant).Field("X", r.X).Field("Y", r.Y);
        o.Field("Heading", r.Heading).Field("Speed", r.Speed).Field("Width", r.Width).Field("Height", r.Height);
        o.Field("SpriteX", r.SpriteX).Field("SpriteY", r.SpriteY).Field("Timer", r.Timer);
        o.Field("DeathTimer", r.DeathTimer).Field("Hits", r.Hits).Field("Active", r.Active);
        o.Field("Points", r.Points);
    });
    Records(j, "StageScript", g.StageScript, [](Json& o, const ScriptRecord& r) {
        o.Field("Time", r.Time).Field("X", r.X).Field("Y", r.Y).Field("Kind", r.Kind).Field("Param", r.Param);
    });
    Records(j, "PlayerShotTable", g.PlayerShotTable, [](Json& o, const PlayerShotRecord& r) {
        o.Field("Kind", r.Kind).Field("X", r.X).Field("Y", r.Y).Field("Speed", r.Speed).Field("Heading", r.Heading);
        o.Field("Age", r.Age).Field("HitTimer", r.HitTimer).Field("Active", r.Active);
    });
    Records(j, "EnemyShotTable", g.EnemyShotTable, [](Json& o, const EnemyShotRecord& r) {
        o.Field("Kind", r.Kind).Field("X", r.X).Field("Y", r.Y).Field("Speed", r.Speed).Field("Heading", r.Heading);
        o.Field("Age", r.Age).Field("VanishTimer", r.VanishTimer).Field("Active", r.Active);
    });
    Records(j, "BeamTable", g.BeamTable, [](Json& o, const BeamRecord& r) {
        o.Field("X", r.X).Field("Y", r.Y).Field("Owner", r.Owner).Field("OffsetX", r.OffsetX);
        o.Field("OffsetY", r.OffsetY).Field("Radius", r.Radius).Field("ChargeTime", r.ChargeTime);
        o.Field("Duration", r.Duration).Field("Age", r.Age).Field("Active", r.Active);
    });
    Records(j, "FragmentTable", g.FragmentTable, [](Json& o, const FragmentRecord& r) {
        o.Field("X", r.X).Field("Y", r.Y).Field("DX", r.DX).Field("DY", r.DY);
    });
    Records(j, "ItemTable", g.ItemTable, [](Json& o, const ItemRecord& r) {
        o.Field("Kind", r.Kind).Field("X", r.X).Field("Y", r.Y).Field("DX", r.DX).Field("DY", r.DY);
        o.Field("Active", r.Active);
    });
    Records(j, "SceneryTable", g.SceneryTable, [](Json& o, const SceneryRecord& r) {
        o.Field("X", r.X).Field("Y", r.Y).Field("DX", r.DX).Field("DY", r.DY).Field("SpriteX", r.SpriteX);
        o.Field("SpriteY", r.SpriteY).Field("Width", r.Width).Field("Height", r.Height).Field("Active", r.Active);
    });
    j.Key("Boss").Open('{');
    BossFields(j, g.Boss);
    j.Close('}');
    j.Key("ExtraBoss").Open('{');
    BossFields(j, g.ExtraBoss);
    j.Close('}');

    // the loop around the game
    j.Field("Paused", g.Paused);
    j.Key("Screen").String(g.Screens.Current() ? g.Screens.Current()->Name() : "");
    j.Field("LoopFrames", g.LoopFrames);
    j.Close('}');
    return j.Text();
}
} // namespace

uint64_t StateHash(const Game& game) {
    uint64_t h = 0xcbf29ce484222325ULL; // FNV-1a
    for (unsigned char c : Dump(game, true)) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    return h;
}
