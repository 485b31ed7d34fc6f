/* Control interface of libporvel-sim.so for tests: load what the simulated instrument holds,
 * read its command log and counters back, and check what a list write left in it.
 * Texts returned stay valid until the next call of the same function. */
#ifndef PORVEL_SIM_CONTROL_H
#define PORVEL_SIM_CONTROL_H

#ifdef __cplusplus
extern "C" {
#endif

/* Loads a scenario given as text (the format of sim/README.md). Returns 0, or -1 with the
 * reason in porvel_sim_last_error() and the previous scenario left in place. A load starts a new
 * log, numbers transfers and searches from 1 again, and makes handles opened before it dead. */
int porvel_sim_load_scenario(const char* text);
/* Loads the built-in demo instrument (no faults, nothing else on the bus). */
void porvel_sim_load_demo(void);
/* Back to the state the library was loaded in: no scenario, all counters 0; the next usb_init
 * reads PORVEL_SIM_SCENARIO again. */
void porvel_sim_reset(void);
/* Why the last load failed; empty after a load that worked. */
const char* porvel_sim_last_error(void);

/* The command log since the last load, one line per entry. */
const char* porvel_sim_log(void);

/* usb_init calls since the library was loaded or reset. */
int porvel_sim_init_calls(void);
/* usb_open calls since the last load. */
int porvel_sim_open_calls(void);
/* Index in bus order among all devices of the device the last usb_open opened; -1 when it
 * failed or none was opened since the last load. */
int porvel_sim_last_open_device(void);
/* Broken protocol rules since the last load (pauses, frames, list writes, unclaimed use). */
int porvel_sim_violations(void);
/* Bulk transfers that reached the instrument since the last load. */
int porvel_sim_transfers(void);

/* From now until the next reset, the instrument keeps virtual time: it moves only by
 * porvel_sim_advance_ms (the host's pauses) and by the device's own waits, so a test keeps the
 * protocol's pauses exactly without sleeping. */
void porvel_sim_use_virtual_time(void);
void porvel_sim_advance_ms(int ms);

/* Copies the instrument's material list block (880 bytes) or object list block (720 bytes) into
 * `buffer`; returns the block size, or -1 when `size` is smaller or nothing is loaded. */
int porvel_sim_material_list(unsigned char* buffer, int size);
int porvel_sim_object_list(unsigned char* buffer, int size);

#ifdef __cplusplus
}
#endif

#endif /* PORVEL_SIM_CONTROL_H */
