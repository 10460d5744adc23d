#pragma once
// Name and text pools the generated properties draw from: first names,
// surnames (common ones and rare ones built from pieces) and the phrases
// logbook texts are made of.

namespace vm::demo::words {

inline constexpr const char* FirstNames[] = {
    "James",   "Mary",     "John",    "Patricia", "Robert",  "Jennifer", "Michael", "Linda",
    "David",   "Barbara",  "William", "Susan",    "Richard", "Jessica",  "Joseph",  "Sarah",
    "Thomas",  "Karen",    "Charles", "Nancy",    "Daniel",  "Lisa",     "Matthew", "Margaret",
    "Anthony", "Sandra",   "Mark",    "Ashley",   "Paul",    "Emily",    "Steven",  "Donna",
    "Andrew",  "Michelle", "Kenneth", "Carol",    "Joshua",  "Amanda",   "Kevin",   "Melissa",
    "Luca",    "Giulia",   "Hans",    "Ingrid",   "Pierre",  "Camille",  "Kenji",   "Yuki",
    "Rafael",  "Sofia",    "Ahmed",   "Fatima",   "Olga",    "Ivan",     "Wei",     "Mei",
    "Liam",    "Emma",     "Noah",    "Olivia",   "Mateo",   "Isabella", "Arjun",   "Priya"};

inline constexpr const char* CommonLastNames[] = {
    "Smith",     "Johnson",  "Williams",  "Brown",   "Jones",    "Garcia",   "Miller",   "Davis",
    "Rodriguez", "Martinez", "Hernandez", "Lopez",   "Gonzalez", "Wilson",   "Anderson", "Thomas",
    "Taylor",    "Moore",    "Jackson",   "Martin",  "Lee",      "Perez",    "Thompson", "White",
    "Harris",    "Sanchez",  "Clark",     "Ramirez", "Lewis",    "Robinson", "Walker",   "Young",
    "Allen",     "King",     "Wright",    "Scott",   "Torres",   "Nguyen",   "Hill",     "Flores",
    "Green",     "Adams",    "Nelson",    "Baker",   "Hall",     "Rivera",   "Campbell", "Mitchell",
    "Carter",    "Roberts",  "O'Brien",   "Müller",  "Schmidt",  "Rossi",    "Bianchi",  "Dubois",
    "Laurent",   "Tanaka",   "Sato",      "Kim",     "Park",     "Chen",     "Wang",     "Singh",
    "Patel",     "Kowalski", "Novak",     "Jensen",  "Hansen",   "Silva"};

inline constexpr const char* Heads[] = {"Ash",  "Bel",  "Cor",  "Dal",  "Eck", "Fen", "Gar", "Hol",
                                        "Ing",  "Jor",  "Kel",  "Lin",  "Mor", "Nor", "Ost", "Pem",
                                        "Quin", "Ros",  "Sel",  "Tor",  "Ul",  "Val", "Wen", "Yor",
                                        "Zan",  "Brat", "Crom", "Dorn", "Fal", "Grim"};

inline constexpr const char* Middles[] = {"a",  "e",  "i",  "o",  "u",  "ar",
                                          "en", "il", "or", "un", "ey", "ow"};

inline constexpr const char* Tails[] = {"by",    "den",   "ford", "ham",   "ley",  "man",   "ner",
                                        "ridge", "son",   "ton",  "well",  "wick", "worth", "cott",
                                        "dale",  "field", "gate", "hurst", "mont", "stead"};

inline constexpr const char* Phrases[] = {
    "Guest asked for a table for two at eight, window seat if possible. ",
    "Confirmed with the maitre d', reservation under the guest's name. ",
    "Car to the airport at 6:15, two large suitcases and a golf bag. ",
    "Flowers to the room before arrival: white roses, card from the family. ",
    "Called back, no answer; left a message on the room phone. ",
    "Tickets held at the box office, pick-up 30 minutes before the show. ",
    "Guest prefers a quiet corner and no shellfish (allergy). ",
    "Spa confirmed the 10:00 massage; guest to arrive 15 minutes early. ",
    "Package signed for at the front desk, stored in the luggage room. ",
    "Wake-up call requested for the morning, second call ten minutes later. ",
    "Sent the itinerary by e-mail; guest confirmed receipt. ",
    "Amended: the party grew to six, restaurant agreed. ",
    "Cancelled at the guest's request, no charge. ",
    "Repeat guest, likes the newspaper in the morning and still water. ",
    "Birthday cake arranged with pastry, candles and a note. ",
    "Limousine company confirmed driver name and number. ",
    "Tour operator will collect from the lobby at nine. ",
    "Guest will call down when ready to leave for dinner. ",
    "Shipping label printed, courier pick-up tomorrow before noon. ",
    "Follow up with housekeeping about the extra pillows. "};

// Logbook categories; the last two are restricted.
inline constexpr const char* CategoryNames[] = {"Restaurant Reservation",
                                                "Transportation",
                                                "Spa Appointment",
                                                "Theatre Tickets",
                                                "Tour Booking",
                                                "Flowers",
                                                "Wake-up Call",
                                                "Package Received",
                                                "Guest Request",
                                                "Guest Complaint",
                                                "Amenity Delivery",
                                                "Shipping",
                                                "Babysitting",
                                                "Golf Tee Time",
                                                "Car Rental",
                                                "Airline",
                                                "Limousine",
                                                "Lost Item",
                                                "Birthday",
                                                "Anniversary",
                                                "Honeymoon",
                                                "Medical",
                                                "Pharmacy",
                                                "Dry Cleaning",
                                                "Printing",
                                                "Museum",
                                                "Concert",
                                                "Sports Event",
                                                "Shopping",
                                                "Boat Charter",
                                                "Helicopter",
                                                "Private Chef",
                                                "Wine Tasting",
                                                "Photographer",
                                                "Interpreter",
                                                "Pet Care",
                                                "Fitness Trainer",
                                                "Beach Cabana",
                                                "Security Note",
                                                "Manager Note"};
inline constexpr int RestrictedFrom = 38;

inline constexpr const char* ProfileTypes[] = {"VIP",    "Member", "Corporate",
                                               "Repeat", "Owner",  " "};
inline constexpr const char* NotifiedValues[] = {"Email", "Phone", "Text", "In Person",
                                                 "Voicemail"};

// Staff: display name and initials.
inline constexpr const char* Staff[][2] = {
    {"Ann Desk", "AD"},     {"Bruno Keller", "BK"}, {"Carla Mendes", "CM"}, {"Derek Olsen", "DO"},
    {"Elena Popova", "EP"}, {"Farid Haddad", "FH"}, {"Grace Liu", "GL"},    {"Hugo Brandt", "HB"},
    {"Irene Costa", "IC"},  {"Jonas Berg", "JB"},   {"Kira Sato", "KS"},    {"Leon Fischer", "LF"},
    {"Maya Cohen", "MC"},   {"Nils Larsen", "NL"},  {"Omar Aziz", "OA"},    {"Paula Reyes", "PR"},
    {"Quentin Roy", "QR"},  {"Rosa Vidal", "RV"},   {"Sven Holm", "SH"},    {"Tara Walsh", "TW"},
    {"Umar Khan", "UK"},    {"Vera Novak", "VN"},   {"Wes Turner", "WT"},   {"Xenia Moro", "XM"},
    {"Yusuf Demir", "YD"}};

} // namespace vm::demo::words
