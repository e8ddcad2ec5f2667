/*
 * vobu_oracle DVDROOT VTSN
 *
 * Independent reference for tests: reads one title set's IFO with libdvdread
 * and prints, one per line (sectors relative to the start of VTS_nn_1.VOB):
 *   vobu S     every entry of the VOBU address map, in table order
 *   cell S     each distinct cell first sector of the cell address table,
 *              ascending
 *   pgc C      each PGC in table order with its number of cells, followed by
 *   chapter S  for every program in it, the first sector of the program's
 *              entry cell (duplicates kept), and
 *   entry N    that entry cell's number in the PGC (1-based)
 * DVDROOT is the folder that contains VIDEO_TS. Exits 1 on any failure.
 *
 * Build: cc -Wall -Wextra vobu_oracle.c $(pkg-config --cflags --libs dvdread)
 */
#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

static dvd_reader_t* dvd;
static ifo_handle_t* ifo;

static void fail(const char* msg) {
    fprintf(stderr, "vobu_oracle: %s\n", msg);
    if (ifo) ifoClose(ifo);
    if (dvd) DVDClose(dvd);
    exit(1);
}

/* Keep stdout for results: libdvdread's own errors go to stderr, and its
   warnings (such as the missing-CSS banner) are dropped. */
static void log_cb(void* priv, dvd_logger_level_t level, const char* fmt, va_list ap) {
    (void)priv;
    if (level != DVD_LOGGER_LEVEL_ERROR) return;
    fputs("libdvdread: ", stderr);
    vfprintf(stderr, fmt, ap);
    fputc('\n', stderr);
}

static int cmp_u32(const void* a, const void* b) {
    uint32_t x = *(const uint32_t*)a, y = *(const uint32_t*)b;
    return (x > y) - (x < y);
}

static void print_vobus(void) {
    const vobu_admap_t* map = ifo->vts_vobu_admap;
    if (!map || !map->vobu_start_sectors) fail("no VOBU address map");
    if (map->last_byte + 1 < VOBU_ADMAP_SIZE) fail("bad VOBU address map size");
    size_t n = (map->last_byte + 1 - VOBU_ADMAP_SIZE) / sizeof(uint32_t);
    if (n == 0) fail("empty VOBU address map");
    for (size_t i = 0; i < n; i++) printf("vobu %u\n", (unsigned)map->vobu_start_sectors[i]);
}

static void print_cells(void) {
    const c_adt_t* adt = ifo->vts_c_adt;
    if (!adt || !adt->cell_adr_table) fail("no cell address table");
    if (adt->last_byte + 1 < C_ADT_SIZE) fail("bad cell address table size");
    size_t n = (adt->last_byte + 1 - C_ADT_SIZE) / sizeof(cell_adr_t);
    if (n == 0) fail("empty cell address table");
    uint32_t* starts = malloc(n * sizeof *starts);
    if (!starts) fail("out of memory");
    for (size_t i = 0; i < n; i++) starts[i] = adt->cell_adr_table[i].start_sector;
    qsort(starts, n, sizeof *starts, cmp_u32);
    for (size_t i = 0; i < n; i++)
        if (i == 0 || starts[i] != starts[i - 1]) printf("cell %u\n", (unsigned)starts[i]);
    free(starts);
}

static void print_chapters(void) {
    const pgcit_t* pgcit = ifo->vts_pgcit;
    if (!pgcit || !pgcit->pgci_srp || pgcit->nr_of_pgci_srp == 0) fail("no program chains");
    for (unsigned i = 0; i < pgcit->nr_of_pgci_srp; i++) {
        const pgc_t* pgc = pgcit->pgci_srp[i].pgc;
        if (!pgc) fail("missing program chain");
        printf("pgc %u\n", (unsigned)pgc->nr_of_cells);
        if (pgc->nr_of_programs == 0) continue;
        if (!pgc->program_map || !pgc->cell_playback)
            fail("program chain without program map or cells");
        for (unsigned p = 0; p < pgc->nr_of_programs; p++) {
            unsigned cell = pgc->program_map[p]; /* 1-based entry cell number */
            if (cell < 1 || cell > pgc->nr_of_cells) fail("program entry cell out of range");
            printf("chapter %u\n", (unsigned)pgc->cell_playback[cell - 1].first_sector);
            printf("entry %u\n", cell);
        }
    }
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s DVDROOT VTSN\n", argv[0]);
        return 1;
    }
    char* end;
    long vtsn = strtol(argv[2], &end, 10);
    if (*argv[2] == '\0' || *end != '\0' || vtsn < 1 || vtsn > 99) fail("VTSN must be 1..99");

    static const dvd_logger_cb logger = {log_cb};
    dvd = DVDOpen2(NULL, &logger, argv[1]);
    if (!dvd) fail("cannot open disc");
    ifo = ifoOpen(dvd, (int)vtsn);
    if (!ifo) fail("cannot read title set IFO");
    if (!ifo->vtsi_mat) fail("not a title set IFO");

    print_vobus();
    print_cells();
    print_chapters();

    if (fflush(stdout) != 0 || ferror(stdout)) fail("write error");
    ifoClose(ifo);
    DVDClose(dvd);
    return 0;
}
