/* Starts <client> KelvoFile <record> as the launcher starts a client; 0 once
   it runs. argv: program, client, record. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

int FloorSpawn(int argc, char** argv);

#ifdef __cplusplus
}
#endif
