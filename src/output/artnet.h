#pragma once
// Everything of the Art-Net output that other modules use.
#include "output/artnet_nodes.h"
#include "output/artnet_packets.h"
#include "output/artnet_protocol.h"
#include "output/artnet_receive.h"
#include "output/artnet_thread.h"
#include "output/net_seams.h"
#include "output/stop_signals.h"
