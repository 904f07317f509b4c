#include "sim/SimulationRig.h"

#include "mechanism/MechanismPicture.h"
#include "sim/SimulationTick.h"

namespace drivesim {

SimulationRig::SimulationRig() {
  Model.StepSize = kModelStepSize;
  // The tooth count the tooth-count spin edit starts with.
  Gears.SetUpGears(DriveInputs{}.LoadTeeth);
  History.ResetTimeAxis(Model.StepSize);
  DrawBlockSketch(Image);
  DrawMechanism(Image, Gears);
}

void SimulationRig::Process(const DriveInputs& inputs) {
  if (inputs.LoadTeeth != Gears.LoadGear.ToothCount) {
    Gears.LoadGear.Angle = 0;
    Gears.MotorGear.Angle = 0;
    Gears.SetUpGears(inputs.LoadTeeth);
  }
  DrawMechanism(Image, Gears);
  EnterInputs(Model, inputs);
}

void SimulationRig::Tick(TChartSeries& velocity, TChartSeries& setpoint) {
  SimulationTick(Model, History, Gears, velocity, setpoint, Image);
}

}  // namespace drivesim
