-- Vemo game database: schema and the data shipped with the program.
-- Build with:  sqlite3 -bail Vemo.mdb < data/sql/Vemo.sql   (on a new, empty file)
-- The build regenerates Vemo.mdb from this script; do not edit the database by hand.

-- Schema version, checked by the program when it opens the file.
PRAGMA user_version = 1;

BEGIN TRANSACTION;

-- One verse per card value letter; every card of that value shows it, whatever its colour.
CREATE TABLE Verses (
    CardCode    TEXT NOT NULL PRIMARY KEY CHECK (length(CardCode) = 1),
    Reference   TEXT,
    VerseAbbrev TEXT,
    Verse       TEXT
);

-- The opponents offered in the setup dialog. Names are matched exactly.
CREATE TABLE ComputerPlayers (
    PlayerName   TEXT NOT NULL PRIMARY KEY,
    PlayingStyle INTEGER,   -- strategy 1..4, 5 the Expert; any other value plays as 1
    WAVnumber    INTEGER    -- voice clip 1..10 (1-5 men, 6-10 women)
);

-- One row per saved game. The column order is the order the save writes them.
-- Hands are card codes run together, two characters per card.
CREATE TABLE SavedGames (
    ID                  INTEGER PRIMARY KEY AUTOINCREMENT,
    DateSaved           TEXT,       -- ISO 8601 date and time
    CompPlayer1         TEXT,
    CompPlayerScore1    INTEGER,
    CompPlayerNbrCards1 INTEGER,
    CompPlayerCards1    TEXT,
    CompPlayer2         TEXT,
    CompPlayerScore2    INTEGER,
    CompPlayerNbrCards2 INTEGER,
    CompPlayerCards2    TEXT,
    CompPlayer3         TEXT,
    CompPlayerScore3    INTEGER,
    CompPlayerNbrCards3 INTEGER,
    CompPlayerCards3    TEXT,
    Player4             TEXT,
    PlayerScore4        INTEGER,
    PlayerNbrCards4     INTEGER,
    PlayerCards4        TEXT,
    CurrTurn            INTEGER,
    CurrColor           TEXT,
    CurrCard            TEXT,
    ActualCurrCard      TEXT,
    CurrDirection       TEXT,       -- 'R' clockwise, 'L' counter-clockwise
    CurrDealer          INTEGER,
    SoundOption         INTEGER,    -- 0/1
    AnimationOption     INTEGER,    -- 0, 1 or 2
    ScoreLimit          INTEGER,
    SpecialAction       INTEGER,    -- 0/1
    PrayerCardPlayed    INTEGER,    -- 0/1
    EndOfHand           INTEGER     -- 0/1
);

-- One row per finished or abandoned game, places ordered from the lowest score.
CREATE TABLE History (
    ID                    INTEGER PRIMARY KEY AUTOINCREMENT,
    DatePlayed            TEXT,     -- ISO 8601 date and time
    Winner                TEXT,
    WinnerScore           INTEGER,
    SecondPlace           TEXT,
    SecondScore           INTEGER,
    ThirdPlace            TEXT,
    ThirdScore            INTEGER,
    FourthPlace           TEXT,
    FourthScore           INTEGER,
    GapBetweenWinnerLoser INTEGER
);

-- Named integer properties kept inside the database file (e.g. CompactIteration,
-- the start-up counter for compaction). Left empty: the program creates what it misses.
CREATE TABLE Properties (
    Name  TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
    Value INTEGER NOT NULL
);

-- Verses (King James Version). The numbered cards carry a verse with their number.
INSERT INTO Verses (CardCode, Reference, VerseAbbrev, Verse) VALUES
    ('1', 'John 10:30', 'I and my Father are one.',
     'I and my Father are one.'),
    ('2', 'Matthew 18:20', 'Where two or three are...',
     'For where two or three are gathered together in my name, there am I in the midst of them.'),
    ('3', 'I Corinthians 13:13', 'Faith, hope, charity...',
     'And now abideth faith, hope, charity, these three; but the greatest of these is charity.'),
    ('4', 'Revelation 7:1', 'I saw four angels...',
     'And after these things I saw four angels standing on the four corners of the earth, holding the four winds of the earth, that the wind should not blow on the earth, nor on the sea, nor on any tree.'),
    ('5', 'John 6:9', 'Five barley loaves...',
     'There is a lad here, which hath five barley loaves, and two small fishes: but what are they among so many?'),
    ('6', 'Exodus 20:11', 'In six days the LORD made...',
     'For in six days the LORD made heaven and earth, the sea, and all that in them is, and rested the seventh day: wherefore the LORD blessed the sabbath day, and hallowed it.'),
    ('7', 'Matthew 18:22', 'Until seventy times seven.',
     'Jesus saith unto him, I say not unto thee, Until seven times: but, Until seventy times seven.'),
    ('V', 'Psalm 47:1', 'Shout unto God...',
     'O clap your hands, all ye people; shout unto God with the voice of triumph.'),
    ('B', 'Proverbs 10:22', 'The blessing of the LORD...',
     'The blessing of the LORD, it maketh rich, and he addeth no sorrow with it.'),
    ('D', 'I Peter 5:8', 'Be sober, be vigilant...',
     'Be sober, be vigilant; because your adversary the devil, as a roaring lion, walketh about, seeking whom he may devour.'),
    ('G', 'II Corinthians 12:9', 'My grace is sufficient...',
     'And he said unto me, My grace is sufficient for thee: for my strength is made perfect in weakness. Most gladly therefore will I rather glory in my infirmities, that the power of Christ may rest upon me.'),
    ('K', 'John 16:24', 'Ask, and ye shall receive...',
     'Hitherto have ye asked nothing in my name: ask, and ye shall receive, that your joy may be full.'),
    ('P', 'James 5:16', 'Effectual fervent prayer...',
     'Confess your faults one to another, and pray one for another, that ye may be healed. The effectual fervent prayer of a righteous man availeth much.'),
    ('R', 'James 1:12', 'When he is tried...',
     'Blessed is the man that endureth temptation: for when he is tried, he shall receive the crown of life, which the Lord hath promised to them that love him.'),
    ('S', 'Romans 6:23', 'The wages of sin is death...',
     'For the wages of sin is death; but the gift of God is eternal life through Jesus Christ our Lord.'),
    ('T', 'Matthew 26:41', 'Watch and pray...',
     'Watch and pray, that ye enter not into temptation: the spirit indeed is willing, but the flesh is weak.');

-- Opponents, in alphabetical order so the setup lists read naturally.
-- Voices 1-5 are men's, 6-10 women's.
INSERT INTO ComputerPlayers (PlayerName, PlayingStyle, WAVnumber) VALUES
    ('Adam',     1, 1),
    ('Ben',      2, 2),
    ('Caleb',    3, 3),
    ('D''Arcy',  4, 4),
    ('Eli',      1, 5),
    ('Esther',   2, 9),
    ('Hannah',   4, 8),
    ('Joe',      4, 2),
    ('Lydia',    2, 6),
    ('Martha',   3, 10),
    ('Mary Ann', 1, 7),
    ('Peggy',    1, 8),
    ('Ruth',     3, 6),
    ('Sam',      3, 1),
    ('Solomon',  5, 14),
    ('Deborah',  5, 15),
    ('Priscilla', 5, 16);

COMMIT;
